package ShopPricing;
# The basket's lines as the catalogue stands now: each line's product, price,
# weight and VAT code, or why it can no longer be bought. The basket page and
# the checkout price a basket the same way.
use strict;
use warnings;
use Exporter qw(import);
use ShopCatalogue qw(product_from_line field_for_type);
use ShopContext qw(per_type_fields);
use ShopIndex qw(id_line);
use ShopMoney qw(weight_units);
use ShopProduct qw(unit_price type_index product_options);

our @EXPORT_OK = qw(find_product priced_line);

sub find_product {
    my ($shop, $id) = @_;
    return undef unless defined $id && $id =~ /\A-?[0-9]{1,18}\z/ && -e "$shop->{data}/shop.data";
    my $line = id_line($shop, $id);
    return defined $line ? product_from_line($line) : undef;
}

# The line with its product's name and either "gone" (the reason it cannot
# be bought) or its unit price, total (pence), number (catalogue number),
# weight (millionths of the weight unit, exactly, for the whole quantity; a
# weight that is not a number counts nothing) and tax_code.
sub priced_line {
    my ($shop, $line) = @_;
    my $product = find_product($shop, $line->{product});
    return { %$line, gone => 'No longer available' } unless $product;
    my $type = type_index($product, $line->{type});
    return { %$line, name => $product->{name}, gone => 'No longer available as chosen' }
        unless defined $type && still_offered(product_options($shop, $product), $line->{choices});
    my $price = unit_price($shop, $product, $type);
    return { %$line, name => $product->{name}, gone => 'Price on request' } unless defined $price;
    my $value = sub { field_for_type($product, per_type_fields($shop), $_[0], $type) };
    return { %$line, name => $product->{name}, price => $price, total => $price * $line->{quantity},
        number => $value->('Catalogue Number'), tax_code => $value->('Tax Code'),
        weight => $line->{quantity} * (weight_units($value->('Weight')) // 0) };
}

# The options the product offers now are the ones chosen, in the same
# order, and each chosen variation is still offered.
sub still_offered {
    my ($options, $choices) = @_;
    return 0 unless @$options == @$choices;
    for my $i (0 .. $#$options) {
        my ($name, $variation) = @{ $choices->[$i] };
        return 0 unless $options->[$i]{name} eq $name && grep { $_ eq $variation } @{ $options->[$i]{variations} };
    }
    return 1;
}

1;
