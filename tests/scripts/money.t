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
use ShopMoney qw(pence rate_hundredths percent_of money_text);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

my @prices = (
    ['12', 1200], ['9.99', 999], ['0.5', 50], ['.99', 99], ['5.', 500], [' 7.25 ', 725], ['0', 0],
    ['0.994', 99], ['0.995', 100], ['19.999', 2000], ['000012.30', 1230],
    ['', undef], ['.', undef], ['ask us', undef], ['-5', undef], ['1,234.00', undef], ['1e3', undef],
    ['12.00|15.50', undef], ['£5', undef], ['1234567890123', undef],
);
is(pence($_->[0]), $_->[1], "price '$_->[0]'") for @prices;

my @rates = (['17.5', 1750], ['20', 2000], ['5.00', 500], ['0', 0], ['.5', undef], ['x', undef], ['12.345', undef]);
is(rate_hundredths($_->[0]), $_->[1], "rate '$_->[0]'") for @rates;

# VAT rounded half up to the penny.
my @vat = ([1000, 1750, 175], [99, 500, 5], [10, 1750, 2], [2, 1750, 0], [3, 1750, 1], [1, 5000, 1], [0, 2000, 0]);
is(percent_of($_->[0], $_->[1]), $_->[2], "VAT on $_->[0] at $_->[1]") for @vat;

my @amounts = ([1234, 'gbp', '£12.34'], [5, 'GBP', '£0.05'], [100000, 'eur', '€1000.00'], [250, 'usd', '$2.50'],
    [250, 'chf', '2.50 CHF'], [250, '', '2.50'], [250, undef, '2.50'], [-150, 'gbp', '-£1.50']);
is(money_text($_->[0], $_->[1]), $_->[2], "$_->[0] in " . ($_->[1] // 'no currency')) for @amounts;

done_testing();
