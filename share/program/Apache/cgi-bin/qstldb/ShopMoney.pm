package ShopMoney;
# Money in whole pence, from prices as the merchant typed them; rates,
# percentages and weights as exact decimals (a whole number of units and a
# number of decimal places). Never a floating-point sum: each money result is
# rounded once, half up, to the penny.
use strict;
use warnings;
use Exporter qw(import);

our @EXPORT_OK = qw(pence signed_pence decimal decimal_text percent_of vat_within share_of weight_units
    $WEIGHT_PLACES money_text amount_text grouped_amount);

my %SYMBOL = (gbp => "\x{A3}", usd => '$', eur => "\x{20AC}");

# Weights are counted in millionths of their unit: fine enough for 0.0005 kg
# or an ounce as 0.0625 lb, while a basket's whole weight stays an exact
# integer.
our $WEIGHT_PLACES = 6;
my $WEIGHT_WHOLE_DIGITS = 7;

# Rates and percentages: at most this many significant digits, so that the
# units stay exact integers.
my $RATE_DIGITS = 15;

# A plain decimal number such as "12", "9.99" or ".5" as a whole number of
# its $places-th decimal parts; a further decimal rounds half up. Undef when
# the text is not such a number or has more than $digits whole digits.
sub fixed_point {
    my ($text, $places, $digits) = @_;
    return undef unless defined $text && $text =~ /\A\s*([0-9]{1,$digits})?(?:\.([0-9]*))?\s*\z/;
    my ($whole, $fraction) = ($1, $2 // '');
    return undef if !defined $whole && $fraction eq '';
    my $amount = ($whole // 0) * 10**$places + substr($fraction . '0' x $places, 0, $places);
    $amount += 1 if length $fraction > $places && substr($fraction, $places, 1) >= 5;
    return $amount;
}

# Pence from a price as typed. Undef when the text is not a number: the
# product is then "price on request", never free.
sub pence { return fixed_point($_[0], 2, 12) }

# Pence from an amount as order files write it ("12.34", "-2.15").
sub signed_pence {
    my ($text) = @_;
    return undef unless defined $text && $text =~ /\A\s*(-?)([0-9]{1,12}\.[0-9][0-9])\s*\z/;
    my $amount = pence($2);
    return $1 ? -$amount : $amount;
}

# A rate or a percentage as typed ("17.5", "12.345", "10.0000", "8") as
# { units, places }: the value is units / 10**places, exactly. Undef when the
# text is not a plain number (a sign, a comma, a percent sign, blank).
sub decimal {
    my ($text) = @_;
    return undef unless defined $text && $text =~ /\A\s*([0-9]*)(?:\.([0-9]*))?\s*\z/ && "$1" . ($2 // '') ne '';
    my ($whole, $fraction) = ($1, $2 // '');
    $fraction =~ s/0+\z//;
    (my $digits = "$whole$fraction") =~ s/\A0+//;
    return undef if length $digits > $RATE_DIGITS;
    return { units => ($digits eq '' ? 0 : $digits + 0), places => length $fraction };
}

# "17.50", "12.345": a rate as the customer reads it, with at least two
# decimals.
sub decimal_text {
    my ($rate) = @_;
    my $places = $rate->{places} < 2 ? 2 : $rate->{places};
    my $digits = sprintf '%0*d', $places + 1, $rate->{units} * 10**($places - $rate->{places});
    return substr($digits, 0, -$places) . '.' . substr($digits, -$places);
}

# $amount x $part / $whole rounded half up, for amounts, parts and wholes of
# nothing or more; an integer wider than the machine's is worked out in
# arbitrary precision rather than approximated.
sub ratio_half_up {
    my ($amount, $part, $whole) = @_;
    return 0 if $whole <= 0;
    if (length($amount) + length($part) + 1 < 18 && length($whole) < 18) {
        return int((2 * $amount * $part + $whole) / (2 * $whole)) if 2 * $amount * $part + $whole < 2**53;
    }
    require Math::BigInt;
    my $twice = Math::BigInt->new($amount)->bmul($part)->bmul(2);
    return $twice->badd($whole)->bdiv(Math::BigInt->new($whole)->bmul(2))->numify;
}

# A percentage of an amount, rounded half up to the penny: the VAT added to a
# price, a postage charge by value.
sub percent_of {
    my ($amount, $rate) = @_;
    return ratio_half_up($amount, $rate->{units}, 100 * 10**$rate->{places});
}

# The VAT held in an amount that includes it at $rate, rounded half up.
sub vat_within {
    my ($amount, $rate) = @_;
    return ratio_half_up($amount, $rate->{units}, 100 * 10**$rate->{places} + $rate->{units});
}

# $part of $whole of an amount, rounded half up; none of nothing.
sub share_of { return ratio_half_up(@_) }

# A weight such as "0.25", "0.0625" or "12" in millionths of its unit, exactly;
# undef when it is not a plain number or finer than a millionth.
sub weight_units {
    my ($text) = @_;
    my $weight = decimal($text) // return undef;
    return undef if $weight->{places} > $WEIGHT_PLACES
        || length($weight->{units}) - $weight->{places} > $WEIGHT_WHOLE_DIGITS;
    return $weight->{units} * 10**($WEIGHT_PLACES - $weight->{places});
}

# "12.34": an amount as order files and payment services write it.
sub amount_text {
    my ($amount) = @_;
    return ($amount < 0 ? '-' : '') . sprintf '%d.%02d', int(abs($amount) / 100), abs($amount) % 100;
}

# "1,234.56": an amount as people read it, its thousands marked.
sub grouped_amount {
    my ($amount) = @_;
    my $text = amount_text($amount);
    1 while $text =~ s/\A(-?[0-9]+)([0-9]{3})/$1,$2/;
    return $text;
}

# "£1,234.56" for the shop's currency ("gbp", "usd", "eur"); another currency
# follows the amount by its code, none leaves the amount alone.
sub money_text {
    my ($amount, $currency) = @_;
    my $sign = $amount < 0 ? '-' : '';
    my $number = grouped_amount(abs $amount);
    $currency //= '';
    my $symbol = $SYMBOL{ lc $currency =~ s/\A\s+|\s+\z//gr };
    return "$sign$symbol$number" if defined $symbol;
    return $currency =~ /\A\s*\z/ ? "$sign$number" : "$sign$number " . uc $currency;
}

1;
