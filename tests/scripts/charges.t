#!/usr/bin/perl
# What an order costs: areas, postage by each method at and around its
# limits, and VAT by every setting, in pence that add up.
use strict;
use warnings;
use File::Temp qw(tempdir);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use TestShop qw($SCRIPTS spew);
use lib $SCRIPTS;
use Test::More;
use ShopAreas qw(read_areas find_area);
use ShopSummary qw(price_order);

sub shop {
    my ($settings, %files) = @_;
    my $data = tempdir(CLEANUP => 1);
    spew("$data/$_", "\r\n", @{ $files{$_} }) for keys %files;
    return { data => $data, settings => $settings };
}

subtest 'areas' => sub {
    my $built_in = read_areas(tempdir(CLEANUP => 1));
    is(scalar @{ $built_in->{areas} }, 50, 'fifty countries without area.txt');
    is_deeply(find_area($built_in, 'United Kingdom'), { name => 'United Kingdom', zone => 1, liable => 1 }, 'with zone and liability');
    ok(!defined $built_in->{default}, 'and no default');
    my $own = read_areas(shop({}, 'area.txt' => ['Home=1,1', '*France=3,1', 'broken', 'Mars=x,1', 'USA=4,0'])->{data});
    is_deeply([map { $_->{name} } @{ $own->{areas} }], ['Home', 'France', 'USA'], 'the shop\'s areas in file order');
    is($own->{default}{name}, 'France', 'the marked one is the default');
};

my @BANDS = ('1::100::1.00::2.00::3.00::4.00::5.00::6.00', '2::250::1.50::::3.50::::::', '3::1000::2.50::4.00::5.00::::::');
my %AREA = (home => { name => 'Home', zone => 1, liable => 1 }, zone2 => { name => 'Far', zone => 2, liable => 0 },
            zone4 => { name => 'Moon', zone => 4, liable => 0 });

subtest 'postage' => sub {
    my $weighed = shop({ shipmethod => 'perzoneweight' }, 'zones_data.log' => \@BANDS);
    my @cases = (
        # shop, area, weight in millionths, goods, pence, undef (cannot deliver) or the problem told, what
        [$weighed, 'home', 0,        1000, 100, 'nothing weighed: the first band'],
        [$weighed, 'home', 100_000_000,  1000, 100, 'at the first limit'],
        [$weighed, 'home', 100_000_001,  1000, 150, 'just above it: the next band'],
        [$weighed, 'home', 250_000_000,  1000, 150, 'at the second limit'],
        [$weighed, 'home', 1000_000_000, 1000, 250, 'at the last limit'],
        [$weighed, 'home', 1000_000_001, 1000, undef, 'heavier than the last band'],
        [$weighed, 'zone2', 200_000_000, 1000, undef, 'an empty cell'],
        [$weighed, 'zone4', 50_000_000,  1000, 400, 'another zone'],
        [shop({ shipmethod => 'perzone' }, 'zones_fixed.log' => ['1::100::3.95::7.50::::x::::']), 'zone2', 0, 1000, 750, 'fixed per zone'],
        [shop({ shipmethod => 'perzone' }, 'zones_fixed.log' => ['1::100::3.95::7.50::::x::::']), 'zone4', 0, 1000, undef, 'a cost that is not a number'],
        [shop({ shipmethod => 'percentage', shippercent => '12.5' }), 'home', 0, 1999, 250, 'a percentage, half up'],
        [shop({ shipmethod => 'percentage', shippercent => 'lots' }), 'home', 0, 1999, qr/cannot work out the postage/,
            'a percentage that is not a number'],
        [shop({ shipmethod => ' PerZone ' }, 'zones_fixed.log' => ['1::100::3.95']), 'home', 0, 1999, 395, 'a method in other capitals'],
        [shop({ shipmethod => 'by pigeon' }), 'home', 0, 1999, 0, 'any other method: no charge'],
        [shop({}), 'home', 5_000_000_000, 1999, 0, 'no method: no charge'],
    );
    for my $case (@cases) {
        my ($shop, $area, $weight, $goods, $pence, $what) = @$case;
        my $summary = price_order($shop, [{ total => $goods, weight => $weight, tax_code => '' }], $AREA{$area});
        if (ref $pence) {
            like($summary->{problem} // '', $pence, "$what: $pence");
        } elsif (defined $pence) {
            ok(!$summary->{problem} && $summary->{postage} == $pence, "$what: $pence")
                or diag explain $summary;
        } else {
            like($summary->{problem} // '', qr/cannot deliver this order to $AREA{$area}{name}/, "$what: cannot deliver");
        }
    }
};

subtest 'VAT' => sub {
    my %files = ('shop.tax' => ["S=20.00\tStandard", "r=5.00\tReduced"],
                 'countries.tax' => ["Headings=S\tR\t\t", "Island=0.00\t\t\t", "Home=\t\t\t"]);
    my @lines = ([1000, 'S'], [999, 'R'], [500, 'X']);    # pence, tax code (X is not in shop.tax)
    my %areas = (liable => { name => 'Home', zone => 1, liable => 1 }, outside => { name => 'Far', zone => 1, liable => 0 },
                 island => { name => 'Island', zone => 1, liable => 1 });
    my @cases = (
        # taxaction, area, VAT per line, figures: [label, pence] rows in order
        ['exclude', 'liable',  [200, 50, 0],  [['Subtotal', 2499], ['Postage', 400], ['VAT', 250 + 40], ['Total', 3189]]],
        ['',        'liable',  [200, 50, 0],  [['Subtotal', 2499], ['Postage', 400], ['VAT', 290], ['Total', 3189]]],
        ['exclude', 'outside', [0, 0, 0],     [['Subtotal', 2499], ['Postage', 400], ['Total', 2899]]],
        ['exclude', 'island',  [0, 50, 0],    [['Subtotal', 2499], ['Postage', 400], ['VAT', 50 + 8], ['Total', 2957]]],
        ['include', 'liable',  [167, 48, 0],  [['Subtotal', 2499], ['Postage', 400], ['VAT on postage', 38], ['Total', 2937],
                                               ['of which VAT', 253]]],
        ['include', 'outside', [0, 0, 0],     [['Subtotal', 2499], ['VAT taken off (not charged outside the VAT area)', -215],
                                               ['Postage', 400], ['Total', 2684]]],
        ['ignore',  'liable',  [0, 0, 0],     [['Subtotal', 2499], ['Postage', 400], ['Total', 2899]]],
    );
    for my $case (@cases) {
        my ($action, $area, $line_vat, $rows) = @$case;
        my $shop = shop({ taxaction => $action, shipmethod => 'perzone' }, %files, 'zones_fixed.log' => ['1::::4.00']);
        my $summary = price_order($shop, [map { { total => $_->[0], weight => 0, tax_code => $_->[1] } } @lines], $areas{$area});
        my $what = "'$action' to $area";
        is_deeply($summary->{line_vat}, $line_vat, "$what: each line's VAT");
        is_deeply([map { [@$_[0, 1]] } @{ $summary->{rows} }], $rows, "$what: the summary");
        my $sum = 0;
        $sum += $_->[1] for grep { $_->[2] eq 'adds' } @{ $summary->{rows} };
        is($sum, $summary->{total}, "$what: the figures add up to the total");
    }
    my $shop = shop({ taxaction => 'exclude', postvatinc => 'yes', shipmethod => 'perzone' }, %files, 'zones_fixed.log' => ['1::::4.00']);
    is(price_order($shop, [{ total => 1000, weight => 0, tax_code => 's' }], $areas{liable})->{vat}, 200,
        'postage that holds its VAT is charged none; codes match in any case');
};

subtest 'lines rounded one by one still add up' => sub {
    my $shop = shop({ taxaction => 'exclude' }, 'shop.tax' => ["S=17.50\tStandard"]);
    my @lines = map { { total => $_, weight => 0, tax_code => 'S' } } 1, 3, 5, 7, 9, 11, 13;
    my $summary = price_order($shop, \@lines, { name => 'Home', zone => 1, liable => 1 });
    my $sum = 0;
    $sum += $_ for @{ $summary->{line_vat} };
    is($summary->{vat}, $sum, 'the VAT is the sum of the lines\' VAT');
    is($summary->{total}, $summary->{subtotal} + $summary->{vat}, 'and the total the sum of the figures');
};

done_testing();
