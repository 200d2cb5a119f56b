package ShopMoney;
# Money in whole pence, from prices as the merchant typed them; never a
# floating-point sum.
use strict;
use warnings;
use Exporter qw(import);

our @EXPORT_OK = qw(pence rate_hundredths vat_pence money_text);

my %SYMBOL = (gbp => "\x{A3}", usd => '$', eur => "\x{20AC}");

# Pence from a price such as "12", "9.99" or "0.5"; a third decimal rounds
# half up. Undef when the text is not such a number: the product is then
# "price on request", never free.
sub pence {
    my ($price) = @_;
    return undef unless defined $price && $price =~ /\A\s*(\d{1,12})?(?:\.(\d*))?\s*\z/;
    my ($whole, $fraction) = ($1, $2 // '');
    return undef if !defined $whole && $fraction eq '';
    my $amount = ($whole // 0) * 100 + substr($fraction . '00', 0, 2);
    $amount += 1 if length $fraction > 2 && substr($fraction, 2, 1) >= 5;
    return $amount;
}

# A VAT rate such as "17.5" in hundredths of a percent (1750); undef when it
# is not a plain number with at most two decimals.
sub rate_hundredths {
    my ($rate) = @_;
    return undef unless defined $rate && $rate =~ /\A\s*(\d{1,3})(?:\.(\d{0,2}))?\s*\z/;
    return $1 * 100 + substr(($2 // '') . '00', 0, 2);
}

# The VAT on an amount at a rate in hundredths of a percent, rounded half up
# to the penny.
sub vat_pence {
    my ($amount, $hundredths) = @_;
    return int(($amount * $hundredths + 5000) / 10000);
}

# "£12.34" for the shop's currency ("gbp", "usd", "eur"); another currency
# follows the amount by its code, none leaves the amount alone.
sub money_text {
    my ($amount, $currency) = @_;
    my $sign = $amount < 0 ? '-' : '';
    $amount = abs $amount;
    my $number = sprintf '%d.%02d', int($amount / 100), $amount % 100;
    $currency //= '';
    my $symbol = $SYMBOL{ lc $currency };
    return "$sign$symbol$number" if defined $symbol;
    return $currency =~ /\A\s*\z/ ? "$sign$number" : "$sign$number " . uc $currency;
}

1;
