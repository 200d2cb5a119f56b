#!/usr/bin/perl
# Money in whole pence: prices as typed, VAT rates, rounding and the
# currency's sign.
use strict;
use warnings;
use utf8;
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use TestShop qw($SCRIPTS);
use lib $SCRIPTS;
use Test::More;
use ShopMoney qw(pence signed_pence decimal decimal_text percent_of vat_within weight_units money_text);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

my @prices = (
    ['12', 1200], ['9.99', 999], ['0.5', 50], ['.99', 99], ['5.', 500], [' 7.25 ', 725], ['0', 0],
    ['0.994', 99], ['0.995', 100], ['19.999', 2000], ['000012.30', 1230],
    ['', undef], ['.', undef], ['ask us', undef], ['-5', undef], ['1,234.00', undef], ['1e3', undef],
    ['12.00|15.50', undef], ['£5', undef], ['1234567890123', undef],
);
is(pence($_->[0]), $_->[1], "price '$_->[0]'") for @prices;

# Rates and percentages as typed, exactly: [text, units, places, as shown] or
# [text] when it is not a number.
my @rates = (['17.5', 175, 1, '17.50'], ['20', 20, 0, '20.00'], ['5.00', 5, 0, '5.00'], ['0', 0, 0, '0.00'],
    ['.5', 5, 1, '0.50'], ['12.345', 12345, 3, '12.345'], ['10.0000', 10, 0, '10.00'], ['8.125', 8125, 3, '8.125'],
    [' 007.50 ', 75, 1, '7.50'], ['x'], [''], ['.'], ['-5'], ['1,5'], ['5%'], ['1e3'], ['1234567890.1234567']);
for my $case (@rates) {
    my ($text, $units, $places, $shown) = @$case;
    my $rate = decimal($text);
    is_deeply($rate, defined $units ? { units => $units, places => $places } : undef, "rate '$text'");
    is(decimal_text($rate), $shown, "rate '$text' shown as $shown") if defined $units;
}

# Percentages rounded once, half up, to the penny: [pence, rate, percentage,
# VAT held in pence that include it at that rate].
my @percent = (
    [1000, '17.5', 175, 149],        # 1000 x 17.5/117.5 = 148.94
    [99, '5', 5, 5],                 # 4.95 up; 99 x 5/105 = 4.71
    [10, '17.5', 2, 1],              # 1.75; 10 x 17.5/117.5 = 1.49
    [2, '17.5', 0, 0],               # 0.35; 0.30
    [1999, '12.5', 250, 222],        # 249.875; 222.11
    [10000, '17.555', 1756, 1493],   # 1755.5 up; 10000 x 17.555/117.555 = 1493.34
    [800, '12.345', 99, 88],         # 98.76; 87.9
    [8000, '8.125', 650, 601],       # 650 exactly; 601.15
    [1, '50', 1, 0],                 # 0.5 up; 1 x 50/150 = 0.33
    [0, '20', 0, 0],
    # Wider than the machine's integers: 99999999999999 x 0.99999999999 = 99999999998999.00000001;
    # 99999999999999 x 99.999999999 / 199.999999999 = 49999999999749.4999997..., down.
    [99999999999999, '99.999999999', 99999999998999, 49999999999749],
);
for my $case (@percent) {
    my ($amount, $text, $added, $within) = @$case;
    is(percent_of($amount, decimal($text)), $added, "$text% of $amount");
    is(vat_within($amount, decimal($text)), $within, "$text% held in $amount");
}

# Weights in millionths of their unit, exactly.
my @weights = (['1', 1_000_000], ['0.0625', 62_500], ['0.0005', 500], ['.25', 250_000], ['9999999', 9_999_999_000_000],
    ['0.0000001', undef], ['10000000', undef], ['heavy', undef], ['', undef]);
is(weight_units($_->[0]), $_->[1], "weight '$_->[0]'") for @weights;
is(16 * weight_units('0.0625'), weight_units('1'), 'sixteen ounces weigh a pound');

is(signed_pence($_->[0]), $_->[1], "amount '$_->[0]' of an order file")
    for ['12.34', 1234], ['-2.15', -215], ['0.00', 0], ['1.5', undef], ['£1.50', undef], ['--1.00', undef];

my @amounts = ([1234, 'gbp', '£12.34'], [5, 'GBP', '£0.05'], [100000, 'eur', '€1,000.00'], [99999, 'eur', '€999.99'],
    [123456789, 'usd', '$1,234,567.89'], [250, 'chf', '2.50 CHF'], [100000000, '', '1,000,000.00'], [250, undef, '2.50'],
    [-150, 'gbp', '-£1.50'], [-123456, 'gbp', '-£1,234.56']);
is(money_text($_->[0], $_->[1]), $_->[2], "$_->[0] in " . ($_->[1] // 'no currency')) for @amounts;

done_testing();
