package ShopDetails;
# The customer's delivery details at the checkout: the form, the checks made
# on every field, and the details kept on the server under the basket's
# identifier until the order is placed, never in the page.
use strict;
use warnings;
use Exporter qw(import);
use ShopAreas qw(find_area);
use ShopBasket qw(valid_basket_id);
use ShopFiles qw(each_line write_atomically with_lock make_folder remove_unused);
use ShopMail qw(valid_address);
use ShopText qw(html url_encode url_decode from_request);

our @EXPORT_OK = qw(@DETAILS check_details details_form field_html problem_attributes read_details details_bytes
    keep_details kept_details forget_kept);

our @DETAILS = qw(name email phone address postcode area);

my %LIMIT = (name => 100, email => 254, phone => 30, address => 500, postcode => 20);
my $ADDRESS_LINES = 8;
my $PHONE_DIGITS  = 6;
my $UNUSED_DAYS   = 7;

# The details from the form, cleaned, and the reason each wrong field is
# wrong. $need: { terms => the shop has terms, phone => the shop will
# telephone }.
sub check_details {
    my ($form, $areas, $need) = @_;
    my %details = map { $_ => one_line($form->{$_}) } qw(name email phone postcode);
    $details{area} = $form->{area} // '';
    $details{address} = join "\n", grep { $_ ne '' } map { one_line($_) } split /\r\n|\r|\n/, $form->{address} // '';
    my %problem;
    my $too_long = sub { length $details{ $_[0] } > $LIMIT{ $_[0] } };
    $problem{name} = 'Please enter your name.' if $details{name} eq '';
    $problem{name} = "Please shorten your name to $LIMIT{name} characters." if $too_long->('name');
    $problem{email} = 'Please enter your e-mail address, such as name@example.com.' unless valid_address($details{email});
    my $digits = () = $details{phone} =~ /[0-9]/g;
    $problem{phone} = 'Please enter your telephone number, with its area code.'
        if $details{phone} ne '' && $digits < $PHONE_DIGITS || $need->{phone} && $details{phone} eq '';
    $problem{phone} = 'Please use only digits, blanks and + ( ) - in your telephone number.'
        if $details{phone} =~ /[^0-9 +()-]/;
    $problem{phone} = "Please shorten your telephone number to $LIMIT{phone} characters." if $too_long->('phone');
    $problem{address} = 'Please enter your address.' if $details{address} eq '';
    $problem{address} = "Please fit your address on $ADDRESS_LINES lines." if $details{address} =~ tr/\n// >= $ADDRESS_LINES;
    $problem{address} = "Please shorten your address to $LIMIT{address} characters." if $too_long->('address');
    # Orders keep line breaks as "<br>": a typed one would break the line in
    # every record of the order.
    $problem{$_} = 'Please use no angle brackets here.' for grep { $details{$_} =~ /[<>]/ } qw(name address);
    $problem{postcode} = 'Please use only letters, digits, blanks and - in your postcode.'
        if $details{postcode} =~ /[^\p{L}\p{N} -]/;
    $problem{postcode} = "Please shorten your postcode to $LIMIT{postcode} characters." if $too_long->('postcode');
    $problem{area} = 'Please choose where we should deliver your order.' unless find_area($areas, $details{area});
    $problem{accept_terms} = 'Please read our terms and conditions and tick the box to accept them.'
        if $need->{terms} && !($form->{accept_terms} // '');
    return (\%details, \%problem);
}

sub one_line {
    my ($text) = @_;
    $text = $text // '';
    $text =~ s/\s+/ /g;
    $text =~ s/\A | \z//g;
    return $text;
}

# The form, holding $entered (as typed, or as kept) with each problem beside
# its field. $offer: { token => the basket's form token, terms => [lines],
# remember => offered, remembered => ticked }.
sub details_form {
    my ($areas, $entered, $problem, $offer) = @_;
    my $value = sub { html($entered->{ $_[0] } // '') };
    my $input = sub {
        my ($name, $label, $type, $complete) = @_;
        return field_html($name, $label, $problem, qq{<input id="$name" name="$name" type="$type" maxlength="$LIMIT{$name}" }
            . qq{autocomplete="$complete" value="} . $value->($name) . '"' . problem_attributes($name, $problem) . '>');
    };
    my $chosen = $entered->{area} // ($areas->{default} ? $areas->{default}{name} : '');
    my $options = ($areas->{default} ? '' : '<option value="">Choose...</option>')
        . join '', map { '<option' . ($_->{name} eq $chosen ? ' selected' : '') . '>' . html($_->{name}) . '</option>' }
        @{ $areas->{areas} };
    my $form = qq{<form class="checkout" method="post" action="Checkout.pl">\n<input type="hidden" name="step" value="details">\n}
        . '<input type="hidden" name="token" value="' . html($offer->{token}) . "\">\n"
        . $input->('name', 'Name', 'text', 'name')
        . $input->('email', 'E-mail', 'email', 'email')
        . $input->('phone', 'Telephone', 'tel', 'tel')
        . field_html('address', 'Address', $problem, qq{<textarea id="address" name="address" rows="4" maxlength="$LIMIT{address}" }
            . 'autocomplete="street-address"' . problem_attributes('address', $problem) . '>' . $value->('address') . '</textarea>')
        . $input->('postcode', 'Postcode', 'text', 'postal-code')
        . field_html('area', 'Deliver to', $problem, '<select id="area" name="area"' . problem_attributes('area', $problem) . ">$options</select>");
    if (@{ $offer->{terms} }) {
        $form .= qq{<div class="terms-box" tabindex="0" aria-label="Terms and conditions">}
            . join("<br>\n", map { html($_) } @{ $offer->{terms} }) . "</div>\n"
            . field_html('accept_terms', '', $problem, '<label class="choice"><input id="accept_terms" type="checkbox" '
                . 'name="accept_terms" value="1"' . ($entered->{accept_terms} ? ' checked' : '') . '> '
                . 'I accept the terms and conditions</label>');
    }
    $form .= '<label class="choice"><input type="checkbox" name="remember" value="1"' . ($offer->{remembered} ? ' checked' : '')
        . "> Remember my details on this computer</label>\n" if $offer->{remember};
    return "$form<div class=\"checkout-actions\"><a href=\"Basket.pl\">Back to your basket</a>"
        . "<button type=\"submit\">Continue</button></div>\n</form>\n";
}

sub field_html {
    my ($name, $label, $problem, $control) = @_;
    return qq{<div class="field">} . ($label ne '' ? qq{<label for="$name">$label</label>} : '') . $control
        . (defined $problem->{$name} ? qq{<p class="problem" id="$name-problem">} . html($problem->{$name}) . '</p>' : '')
        . "</div>\n";
}

sub problem_attributes {
    my ($name, $problem) = @_;
    return defined $problem->{$name} ? qq{ aria-invalid="true" aria-describedby="$name-problem"} : '';
}

# A details file: one name=value line each, the value percent-encoded.
sub details_bytes {
    my ($details) = @_;
    return join '', map { "$_=" . url_encode($details->{$_}) . "\r\n" } @DETAILS;
}

# The details in a file, or undef when there is none.
sub read_details {
    my ($path) = @_;
    my %details = map { $_ => '' } @DETAILS;
    each_line($path, sub {
        my ($name, $value) = split /=/, $_[0], 2;
        $details{$name} = from_request(url_decode($value)) // '' if defined $value && exists $details{$name};
    }) or return undef;
    return \%details;
}

sub kept_path { return "$_[0]/checkouts/$_[1]" }

# Keeps the details of the checkout of basket $id; false when they cannot be
# written. Details kept for baskets left alone for a week go.
sub keep_details {
    my ($data, $id, $details) = @_;
    valid_basket_id($id) && make_folder("$data/checkouts") && make_folder("$data/locks") or return 0;
    return with_lock("$data/locks/checkouts", sub {
        remove_unused("$data/checkouts", $UNUSED_DAYS, \&valid_basket_id);
        return write_atomically(kept_path($data, $id), details_bytes($details));
    }) ? 1 : 0;
}

sub kept_details {
    my ($data, $id) = @_;
    return valid_basket_id($id) ? read_details(kept_path($data, $id)) : undef;
}

sub forget_kept {
    my ($data, $id) = @_;
    return unless valid_basket_id($id);
    with_lock("$data/locks/checkouts", sub { unlink kept_path($data, $id) }) if -e kept_path($data, $id);
}

1;
