package ShopMoney;
# Money in whole pence, from prices as the merchant typed them; never a
# floating-point sum.
use strict;
use warnings;
use Exporter qw(import);

our @EXPORT_OK = qw(pence rate_hundredths percent_of vat_within share_of thousandths money_text amount_text);

my %SYMBOL = (gbp => "\x{A3}", usd => '$', eur => "\x{20AC}");

# A plain decimal number such as "12", "9.99" or ".5" as a whole number of
# its $places-th decimal parts; a further decimal rounds half up. Undef when
# the text is not such a number or has more than $digits whole digits.
sub fixed_point {
    my ($text, $places, $digits) = @_;
    return undef unless defined $text && $text =~ /\A\s*(\d{1,$digits})?(?:\.(\d*))?\s*\z/;
    my ($whole, $fraction) = ($1, $2 // '');
    return undef if !defined $whole && $fraction eq '';
    my $amount = ($whole // 0) * 10**$places + substr($fraction . '0' x $places, 0, $places);
    $amount += 1 if length $fraction > $places && substr($fraction, $places, 1) >= 5;
    return $amount;
}

# Pence from a price as typed. Undef when the text is not a number: the
# product is then "price on request", never free.
sub pence { return fixed_point($_[0], 2, 12) }

# A VAT rate such as "17.5" in hundredths of a percent (1750); undef when it
# is not a plain number with at most two decimals.
sub rate_hundredths {
    my ($rate) = @_;
    return undef unless defined $rate && $rate =~ /\A\s*(\d{1,3})(?:\.(\d{0,2}))?\s*\z/;
    return $1 * 100 + substr(($2 // '') . '00', 0, 2);
}

# A percentage (in hundredths of a percent) of an amount, rounded half up to
# the penny: the VAT added to a price, a postage charge by value.
sub percent_of {
    my ($amount, $hundredths) = @_;
    return int(($amount * $hundredths + 5000) / 10000);
}

# The VAT held in a price that includes it at a rate in hundredths of a
# percent, rounded half up to the penny.
sub vat_within {
    my ($amount, $hundredths) = @_;
    my $whole = 10000 + $hundredths;
    return int((2 * $amount * $hundredths + $whole) / (2 * $whole));
}

# $part of $whole of an amount, rounded half up; none of nothing.
sub share_of {
    my ($amount, $part, $whole) = @_;
    return 0 if $whole <= 0;
    return int((2 * $amount * $part + $whole) / (2 * $whole));
}

# A weight such as "0.25" or "12" in thousandths of its unit.
sub thousandths { return fixed_point($_[0], 3, 9) }

# "12.34": an amount as order files and payment services write it.
sub amount_text {
    my ($amount) = @_;
    return ($amount < 0 ? '-' : '') . sprintf '%d.%02d', int(abs($amount) / 100), abs($amount) % 100;
}

# "£12.34" for the shop's currency ("gbp", "usd", "eur"); another currency
# follows the amount by its code, none leaves the amount alone.
sub money_text {
    my ($amount, $currency) = @_;
    my $sign = $amount < 0 ? '-' : '';
    my $number = amount_text(abs $amount);
    $currency //= '';
    my $symbol = $SYMBOL{ lc $currency };
    return "$sign$symbol$number" if defined $symbol;
    return $currency =~ /\A\s*\z/ ? "$sign$number" : "$sign$number " . uc $currency;
}

1;
