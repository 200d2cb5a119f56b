package ShopCard;
# Card details taken at the checkout for the shop to charge by hand. They
# are checked, then encrypted by the host's gpg to the merchant's OpenPGP
# public key (merchant-key.asc in the data folder), and only the encrypted
# text leaves the request, in the sales mail: a card number is never stored
# or mailed in clear. gpg keeps its own files in the data folder's gnupg
# folder, so nothing is written outside the data folder.
use strict;
use warnings;
use Exporter qw(import);
use IPC::Open3 qw(open3);
use POSIX qw(strftime);
use ShopDetails qw(field_html problem_attributes);
use ShopFiles qw(make_folder);
use ShopText qw(html);

our @EXPORT_OK = qw(card_ready check_card card_fields encrypt_card);

my $KEY_FILE = 'merchant-key.asc';
my $MAX_NAME = 100;

sub gpg_program {
    return '/usr/bin/gpg' if -x '/usr/bin/gpg';
    for my $folder (grep { m{\A/} } split /:/, $ENV{PATH} // '') {
        return "$folder/gpg" if -f "$folder/gpg" && -x _;
    }
    return undef;
}

sub gpg_home {
    my ($data) = @_;
    my $home = "$data/gnupg";
    make_folder($home, 0700) && chmod(0700, $home) or return undef;
    return $home;
}

# Runs gpg with its home in the data folder, giving it $input; its output,
# or undef when it cannot be run or fails. What gpg says on its error output
# is not the server log's business.
sub run_gpg {
    my ($data, $input, @arguments) = @_;
    my $program = gpg_program() // return undef;
    my $home = gpg_home($data) // return undef;
    open(my $quiet, '>', '/dev/null') or return undef;
    local $SIG{PIPE} = 'IGNORE';
    my ($to, $from);
    my $pid = eval { open3($to, $from, '>&' . fileno($quiet), $program, '--homedir', $home, @arguments) } or return undef;
    print {$to} $input;
    close $to;
    my $output = do { local $/; <$from> } // '';
    close $from;
    waitpid $pid, 0;
    return $? == 0 ? $output : undef;
}

# The merchant's key is in the data folder, gpg answers on the host, and the
# key takes a trial message.
sub card_ready {
    my ($shop) = @_;
    return $shop->{card_ready} //= -f "$shop->{data}/$KEY_FILE"
        && (run_gpg($shop->{data}, '', '--version') // '') =~ /\S/ && defined seal($shop, 'trial') ? 1 : 0;
}

# The card's details from the form: { number (digits), expiry, name }, and
# the reason each wrong field is wrong.
sub check_card {
    my ($form) = @_;
    my $number = $form->{card_number} // '';
    my $expiry = $form->{card_expiry} // '';
    my $name = $form->{card_name} // '';
    s/\A\s+|\s+\z//g for $number, $expiry, $name;
    $name =~ s/\s+/ /g;
    (my $digits = $number) =~ tr/ //d;
    my %problem;
    if ($digits =~ /(?![0-9])\p{Nd}/) {
        $problem{card_number} = 'Please type your card number with the digits 0 to 9 only.';
    } elsif ($digits !~ /\A[0-9]{12,19}\z/) {
        $problem{card_number} = 'Please enter the long number on the front of your card.';
    } elsif (!luhn_valid($digits)) {
        $problem{card_number} = 'Please check your card number: one of its digits seems wrong.';
    }
    my ($month, $year) = $expiry =~ m{\A([0-9][0-9])\s*/\s*([0-9][0-9])\z};
    if (!defined $month || $month < 1 || $month > 12) {
        $problem{card_expiry} = 'Please enter the expiry date as on your card, month and year: MM/YY.';
    } elsif (sprintf('%02d%02d', $year, $month) lt strftime('%y%m', localtime)) {
        $problem{card_expiry} = 'This card has expired: please use another.';
    }
    $problem{card_name} = 'Please enter the name as it is on your card.' if $name eq '' || length $name > $MAX_NAME;
    return ({ number => $digits, expiry => $expiry, name => $name }, \%problem);
}

# Every second digit from the right doubled, and the digits' sum a multiple
# of ten.
sub luhn_valid {
    my ($digits) = @_;
    my ($sum, $double) = (0, 0);
    for my $digit (reverse split //, $digits) {
        my $value = $double ? $digit * 2 : $digit;
        $sum += $value > 9 ? $value - 9 : $value;
        $double = !$double;
    }
    return $sum % 10 == 0;
}

# The card's fields; the name and expiry typed are kept, the number never
# written back into a page.
sub card_fields {
    my ($entered, $problem) = @_;
    my $input = sub {
        my ($name, $label, $complete, $extra) = @_;
        return field_html($name, $label, $problem, qq{<input id="$name" name="$name" type="text" autocomplete="$complete" }
            . $extra . problem_attributes($name, $problem) . '>');
    };
    return qq{<fieldset class="card"><legend>Your card</legend>\n}
        . $input->('card_number', 'Card number', 'cc-number', 'inputmode="numeric" maxlength="30"')
        . $input->('card_expiry', 'Expiry date (MM/YY)', 'cc-exp',
            'maxlength="7" placeholder="MM/YY" value="' . html($entered->{card_expiry} // '') . '"')
        . $input->('card_name', 'Name on the card', 'cc-name',
            qq{maxlength="$MAX_NAME" value="} . html($entered->{card_name} // '') . '"')
        . "</fieldset>\n";
}

# The card's details as an armoured OpenPGP message to the merchant's key;
# undef when gpg cannot encrypt them.
sub encrypt_card {
    my ($shop, $card) = @_;
    return seal($shop, "Card number: $card->{number}\nExpiry date: $card->{expiry}\nName on the card: $card->{name}\n");
}

sub seal {
    my ($shop, $text) = @_;
    utf8::encode($text);
    my $sealed = run_gpg($shop->{data}, $text, '--batch', '--armor', '--trust-model', 'always', '--encrypt',
        '--recipient-file', "$shop->{data}/$KEY_FILE");
    return defined $sealed && $sealed =~ /-----BEGIN PGP MESSAGE-----/ ? $sealed : undef;
}

1;
