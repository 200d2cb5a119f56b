package ShopAreas;
# The delivery areas a customer chooses from: area.txt in the data folder
# (name=zone,liability; the default area marked by a leading "*"), or the
# built-in list of fifty countries when the shop has none.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(each_line);
use ShopText qw(from_catalogue);

our @EXPORT_OK = qw(read_areas find_area);

my @BUILT_IN = (
    'Argentina=6,0', 'Australia=5,0', 'Austria=3,1', 'Bahamas=6,0', 'Bahrain=6,0', 'Belgium=3,1', 'Brazil=6,0',
    'Brunei=5,0', 'Canada=4,0', 'Canary Islands=3,0', 'Channel Islands=1,0', 'Cyprus=3,0', 'Egypt=6,0',
    'Denmark=3,1', 'Finland=3,1', 'France=3,1', 'Germany=3,1', 'Ghana=6,0', 'Gibraltar=3,0', 'Greece=3,1',
    'Hong Kong=5,0', 'Hungary=3,0', 'India=6,0', 'Indonesia=5,0', 'Israel=6,0', 'Italy=3,1', 'Japan=5,0',
    'Kenya=6,0', 'Korea Republic=5,0', 'Malaysia=5,0', 'Malta=3,0', 'Monaco=3,0', 'Myanmar=5,0',
    'New Zealand=5,0', 'Norway=3,0', 'Phillippines=6,0', 'Portugal=3,1', 'Eire=2,1', 'Singapore=5,0',
    'South Africa=6,0', 'Spain=3,1', 'Sweden=3,1', 'Switzerland=3,0', 'Taiwan=5,0', 'Thailand=5,0',
    'Turkey=3,0', 'U.A.E.=6,0', 'United Kingdom=1,1', 'USA=4,0', 'West Indies=6,0',
);

# { areas => [{ name, zone, liable }], default => the default area or undef }
sub read_areas {
    my ($data) = @_;
    my (@areas, $default);
    each_line("$data/area.txt", sub {
        my $line = from_catalogue($_[0]);
        my $marked = $line =~ s/\A\*//;
        my $area = area_from($line) or return;
        push @areas, $area;
        $default = $area if $marked;
    });
    @areas = map { area_from($_) } @BUILT_IN unless @areas;
    return { areas => \@areas, default => $default };
}

sub area_from {
    my ($line) = @_;
    my ($name, $zone, $liable) = $line =~ /\A([^=]*\S[^=]*)=\s*([1-9][0-9]?)\s*,\s*([01])\s*\z/ or return undef;
    return { name => $name, zone => $zone + 0, liable => $liable + 0 };
}

sub find_area {
    my ($areas, $name) = @_;
    return undef unless defined $name;
    for my $area (@{ $areas->{areas} }) { return $area if $area->{name} eq $name }
    return undef;
}

1;
