package ShopProduct;
# A product as the customer sees it: its price as the VAT settings say, its
# card in a list, its own page and the form that puts it in the basket.
use strict;
use warnings;
use Exporter qw(import);
use ShopCatalogue qw(type_names field_for_type);
use ShopConfig qw(setting_word);
use ShopContext qw(per_type_fields options vat_rates basket_token);
use ShopMoney qw(pence decimal decimal_text percent_of money_text);
use ShopPage qw(picture_html);
use ShopText qw(html html_text url_encode);

our @EXPORT_OK = qw(unit_price price_html product_card product_options type_index order_form
    product_facts_html radio_limit);

# The price in pence of the product, as the chosen type has it; undef when
# it is not a number ("price on request").
sub unit_price {
    my ($shop, $product, $type) = @_;
    return pence(field_for_type($product, per_type_fields($shop), 'Price', $type));
}

# The product's VAT rate as shop.tax gives it: a decimal, undef when the
# product is not VAT-able, or the rate's text when it is not a number.
sub vat_rate {
    my ($shop, $product) = @_;
    my $typed = vat_rates($shop)->{ lc($product->{fields}{'Tax Code'} // '') } // return undef;
    return decimal($typed) // $typed;
}

# The price as the shop's VAT settings say prices are typed: with VAT
# included, without it (the VAT is then added for the customer to see, unless
# its rate is not a number), or with VAT not calculated at all.
sub price_html {
    my ($shop, $product, $type) = @_;
    my $amount = unit_price($shop, $product, $type);
    return '<span class="on-request">Price on request</span>' unless defined $amount;
    my $currency = $shop->{settings}{currency};
    my $action = setting_word($shop->{settings}, 'taxaction');
    my $rate = vat_rate($shop, $product);
    my $price = html(money_text($amount, $currency));
    return $price if $action eq 'ignore' || !defined $rate;
    return "$price <span class=\"vat\">incl. VAT</span>" if $action eq 'include';
    return "$price <span class=\"vat\">+ VAT</span>" unless ref $rate;
    return "$price <span class=\"vat\">+ VAT at " . html(decimal_text($rate))
        . '% = ' . html(money_text($amount + percent_of($amount, $rate), $currency)) . '</span>';
}

sub unit_html {
    my ($shop, $product, $type) = @_;
    my $unit = field_for_type($product, per_type_fields($shop), 'Unit', $type);
    return $unit =~ /\S/ ? ' <span class="unit">' . html($unit) . '</span>' : '';
}

sub product_link { return 'Catalogue.pl?product=' . url_encode($_[0]{id}) }

# The product's card in a category's list or in search results; $path is
# shown above its name when the list spans categories.
sub product_card {
    my ($shop, $product, $show_path) = @_;
    my $link = html(product_link($product));
    my $card = qq{<article class="product">\n<a href="$link">}
        . picture_html($shop, $product->{fields}{Picture}, $product->{name}, 'thumb') . "</a>\n"
        . qq{<div class="details">\n};
    $card .= '<p class="path">' . html(join ' > ', split /\|/, $product->{category}) . "</p>\n" if $show_path;
    $card .= qq{<h3><a href="$link">} . html($product->{name}) . "</a></h3>\n";
    my $number = $product->{fields}{'Catalogue Number'} // '';
    $card .= '<p class="number">' . html($number) . "</p>\n" if $number =~ /\S/;
    my ($cheapest, $several) = cheapest_type($shop, $product);
    return $card . "</div>\n<p class=\"price\">" . ($several ? 'from ' : '') . price_html($shop, $product, $cheapest)
        . unit_html($shop, $product, $cheapest) . "</p>\n</article>\n";
}

# The type with the lowest price, and whether the types' prices differ.
sub cheapest_type {
    my ($shop, $product) = @_;
    my @types = type_names($product);
    my @priced = grep { defined $_->[1] } map { [$_, unit_price($shop, $product, $_)] } 0 .. ($#types > 0 ? $#types : 0);
    return (0, 0) unless @priced;
    my ($cheapest) = sort { $a->[1] <=> $b->[1] || $a->[0] <=> $b->[0] } @priced;
    my %prices = map { $_->[1] => 1 } @priced;
    return ($cheapest->[0], keys(%prices) > 1 ? 1 : 0);
}

# The position of a type by its name; 0 (the first type, or the product
# itself when it has none) for no name, undef for a name it does not have.
sub type_index {
    my ($product, $name) = @_;
    my @types = type_names($product);
    return 0 if !defined $name || $name eq '' && !@types;
    for my $i (0 .. $#types) { return $i if $types[$i] eq $name }
    return undef;
}

# The options offered with the product: its "Options" holds positions into
# the shop's options joined by "|". A position past the last option, and an
# option without variations, offer nothing.
sub product_options {
    my ($shop, $product) = @_;
    my $all = options($shop);
    my (@offered, %seen);
    for my $position (split /\|/, $product->{fields}{Options} // '') {
        next unless $position =~ /\A\s*([0-9]{1,6})\s*\z/ && $1 < @$all && !$seen{ $1 + 0 }++;
        my @variations = grep { $_ ne '' } @{ $all->[$1]{variations} };
        push @offered, { name => $all->[$1]{name}, variations => \@variations } if @variations;
    }
    return \@offered;
}

# Options with at most this many variations are radio buttons, longer ones
# a drop-down list; a missing or non-numeric setting means always a list.
sub radio_limit {
    my ($shop) = @_;
    my $limit = $shop->{settings}{opt_radio_entries} // '';
    return $limit =~ /\A\s*([0-9]{1,6})\s*\z/ ? $1 : 0;
}

sub option_html {
    my ($shop, $number, $option, $chosen) = @_;
    my $name = "opt$number";
    my $html = '<fieldset><legend>' . html($option->{name}) . '</legend>';
    if (@{ $option->{variations} } <= radio_limit($shop)) {
        for my $variation (@{ $option->{variations} }) {
            $html .= qq{<label class="choice"><input type="radio" name="$name" required value="} . html($variation) . '"'
                . (defined $chosen && $chosen eq $variation ? ' checked' : '') . '> ' . html($variation) . '</label>';
        }
    } else {
        $html .= qq{<select name="$name" required aria-label="} . html($option->{name}) . '">'
            . '<option value="">Choose ' . html(lc $option->{name}) . '...</option>';
        for my $variation (@{ $option->{variations} }) {
            $html .= '<option value="' . html($variation) . '"' . (defined $chosen && $chosen eq $variation ? ' selected' : '')
                . '>' . html($variation) . '</option>';
        }
        $html .= '</select>';
    }
    return "$html</fieldset>\n";
}

sub type_html {
    my ($shop, $product, $type) = @_;
    my @types = type_names($product);
    return '' if @types < 2;
    my $html = '<fieldset><legend>Type</legend><select name="type" aria-label="Type" data-reload="'
        . html('Catalogue.pl?product=' . url_encode($product->{id}) . '&type=') . '">';
    for my $i (0 .. $#types) {
        my $amount = unit_price($shop, $product, $i);
        my $label = $types[$i] . ' - ' . (defined $amount ? money_text($amount, $shop->{settings}{currency}) : 'price on request');
        $html .= '<option value="' . html($types[$i]) . '"' . ($i == $type ? ' selected' : '') . '>' . html($label) . '</option>';
    }
    return "$html</select></fieldset>\n";
}

# The form that puts the product in the basket: the type, a variation of
# each option, the quantity. $entered holds what the customer chose before
# a refusal, $problem the reason.
sub order_form {
    my ($shop, $product, $type, $entered, $problem) = @_;
    return '<p class="on-request">Please contact us for the price of this product.</p>'
        unless defined unit_price($shop, $product, $type);
    my $form = qq{<form class="order" method="post" action="Basket.pl">\n<input type="hidden" name="action" value="add">}
        . '<input type="hidden" name="token" value="' . html(basket_token($shop)) . '">'
        . '<input type="hidden" name="product" value="' . html($product->{id}) . "\">\n";
    $form .= '<p class="problem" role="alert">' . html($problem) . "</p>\n" if defined $problem;
    $form .= type_html($shop, $product, $type);
    my $number = 0;
    $form .= option_html($shop, ++$number, $_, $entered->{"opt$number"}) for @{ product_options($shop, $product) };
    my $quantity = $entered->{qty} // 1;
    $quantity = 1 unless $quantity =~ /\A[0-9]{1,3}\z/ && $quantity > 0;
    return $form . '<label>Quantity <input type="number" name="qty" min="1" max="999" required value="'
        . html($quantity) . "\"></label>\n<button type=\"submit\">Add to basket</button>\n</form>\n";
}

# Unit, catalogue number and weight of the chosen type, where the product
# has them.
# The unit's short form: "g" of "grammes (g)", as the Postage dialog names it.
sub weight_unit {
    my $unit = $_[0]{settings}{weightunit} // '';
    $unit = $1 if $unit =~ /\(([^()]*)\)/;
    return $unit =~ s/\A\s+|\s+\z//gr;
}

sub product_facts_html {
    my ($shop, $product, $type) = @_;
    my $per_type = per_type_fields($shop);
    my $facts = '';
    for my $field ('Catalogue Number', 'Unit', 'Weight') {
        my $value = field_for_type($product, $per_type, $field, $type);
        next unless $value =~ /\S/;
        $value .= ' ' . weight_unit($shop) if $field eq 'Weight' && weight_unit($shop) ne '';
        $facts .= '<dt>' . html($field) . '</dt><dd>' . html($value) . '</dd>';
    }
    return $facts eq '' ? '' : qq{<dl class="facts">$facts</dl>\n};
}

1;
