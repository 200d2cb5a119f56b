package ShopVat;
# Which VAT rate applies to a product delivered to an area: its Tax Code's
# rate in shop.tax, replaced by that code's rate for the area's country in
# countries.tax where the merchant set one (an empty one leaves the usual
# rate). A code shop.tax does not list is not VAT-able. A rate that is not a
# number is never replaced by another: the VAT cannot be worked out.
use strict;
use warnings;
use Exporter qw(import);
use ShopContext qw(vat_rates);
use ShopFiles qw(each_line);
use ShopMoney qw(decimal);
use ShopText qw(from_catalogue);

our @EXPORT_OK = qw(vat_rate);

# countries.tax: "Headings=" the codes joined by TAB, then per country
# "name=" its rates in the order of the headings. { country => { code =>
# rate as typed } }, names and codes in lower case; empty rates left out.
sub country_rates {
    my ($data) = @_;
    my (@codes, %rates);
    each_line("$data/countries.tax", sub {
        my ($name, $values) = split /=/, from_catalogue($_[0]), 2;
        return unless defined $values;
        my @values = split /\t/, $values, -1;
        if (lc $name eq 'headings' && !@codes) {
            @codes = map { lc } @values;
            return;
        }
        for my $i (0 .. $#codes) {
            next if $codes[$i] eq '' || ($values[$i] // '') =~ /\A\s*\z/;
            $rates{ lc $name }{ $codes[$i] } //= $values[$i];
        }
    });
    return \%rates;
}

# (rate, unreadable): the rate as a decimal, or undef when the product is
# not VAT-able; unreadable holds the rate's text when it is not a number.
sub vat_rate {
    my ($shop, $tax_code, $area) = @_;
    my $code = lc($tax_code // '');
    my $rate = vat_rates($shop)->{$code};
    return (undef, undef) unless defined $rate;
    my $special = ($shop->{country_rates} //= country_rates($shop->{data}))->{ lc $area->{name} }{$code};
    my $typed = $special // $rate;
    my $exact = decimal($typed);
    return defined $exact ? ($exact, undef) : (undef, $typed);
}

1;
