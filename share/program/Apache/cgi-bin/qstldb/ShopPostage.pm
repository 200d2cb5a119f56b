package ShopPostage;
# Postage and packing by the shop's method ("shipmethod", any capitals):
#   perzoneweight  the charge of the order's weight band in the delivery
#                  area's zone (zones_data.log: number :: band limit ::
#                  charge of zone 1 :: ... one line per band);
#   perzone        the zone's fixed cost (zones_fixed.log: 1 :: limit ::
#                  cost of zone 1 :: ...);
#   percentage     "shippercent" percent of the goods' value;
#   anything else  no charge.
use strict;
use warnings;
use Exporter qw(import);
use ShopConfig qw(setting_word);
use ShopFiles qw(each_line);
use ShopMoney qw(pence decimal percent_of weight_units);

our @EXPORT_OK = qw(postage read_weight_bands);

my $CANNOT_DELIVER = 'Sorry, we cannot deliver this order to %s by post as set up on this shop: '
    . 'please contact us and we will find a way.';
my $CANNOT_WORK_OUT = 'Sorry, we cannot work out the postage of this order as this shop is set up: '
    . 'please contact us and we will put it right.';

# The bands in file order: { limit => millionths of the weight unit,
# charges => [zone 1's text, ...] }. A line whose limit is not a number is
# passed over.
sub read_weight_bands {
    my ($data) = @_;
    my @bands;
    each_line("$data/zones_data.log", sub {
        my (undef, $limit, @charges) = split /::/, $_[0], -1;
        my $weight = weight_units($limit) // return;
        push @bands, { limit => $weight, charges => \@charges };
    });
    return \@bands;
}

sub fixed_costs {
    my ($data) = @_;
    my @costs;
    each_line("$data/zones_fixed.log", sub { (undef, undef, @costs) = split /::/, $_[0], -1 unless @costs });
    return \@costs;
}

# { method, pence } for an order of $weight millionths of the weight unit and
# $goods pence to $area; { method, problem } when the shop cannot charge for
# it, which stops the order. A weight exactly on a band's limit is in that
# band.
sub postage {
    my ($shop, $area, $weight, $goods) = @_;
    my $method = setting_word($shop->{settings}, 'shipmethod');
    my $refused = { method => $method, problem => sprintf $CANNOT_DELIVER, $area->{name} };
    if ($method eq 'perzoneweight') {
        my ($band) = grep { $_->{limit} >= $weight } @{ read_weight_bands($shop->{data}) };
        my $charge = $band ? pence($band->{charges}[ $area->{zone} - 1 ]) : undef;
        return defined $charge ? { method => $method, pence => $charge } : $refused;
    }
    if ($method eq 'perzone') {
        my $cost = pence(fixed_costs($shop->{data})->[ $area->{zone} - 1 ]);
        return defined $cost ? { method => $method, pence => $cost } : $refused;
    }
    if ($method eq 'percentage') {
        my $percent = decimal($shop->{settings}{shippercent});
        return defined $percent ? { method => $method, pence => percent_of($goods, $percent) }
            : { method => $method, problem => $CANNOT_WORK_OUT };
    }
    return { method => 'none', pence => 0 };
}

1;
