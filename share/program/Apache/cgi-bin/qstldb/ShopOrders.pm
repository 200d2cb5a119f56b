package ShopOrders;
# Placed orders, each a file of its own in the data folder's orders folder,
# numbered from a counter taken under a lock, written whole before anything
# else happens to the order.
#
# An order file holds name=value lines ending in CR LF, in UTF-8: "order"
# (the number) first, then "date" (ISO 8601, UTC), "status" and the other
# values the checkout gives, among them one "line" entry per basket line:
# quantity, catalogue number, product name, type, chosen variations
# ("Size: Small; Colour: Red") and the line's total, separated by TAB.
# Amounts are written as "12.34". Values never hold a line break: the
# customer's line breaks are kept as "<br>".
use strict;
use warnings;
use Encode qw(encode decode);
use Exporter qw(import);
use POSIX qw(strftime);
use ShopFiles qw(each_line read_whole write_atomically with_lock make_folder);

our @EXPORT_OK = qw(place_order read_order list_orders update_order order_value order_date order_lines line_value
    valid_order_number @STATUSES);

our @STATUSES = ('awaiting payment', 'new', 'paid', 'dispatched', 'cancelled');

sub folder { return "$_[0]/orders" }

sub valid_order_number {
    my ($number) = @_;
    return defined $number && $number =~ /\A[1-9][0-9]{0,17}\z/ ? $number + 0 : undef;
}

sub file_of { return folder($_[0]) . "/$_[1].order" }

# A value made safe for one line of an order file.
sub clean {
    my ($value) = @_;
    $value //= '';
    $value =~ s/\r\n|\r|\n/<br>/g;
    $value =~ tr/\x00-\x08\x0B-\x1F\x7F/ /;
    return $value;
}

# A "line" entry's value from its six pieces, none of which can hold the TAB
# that separates them.
sub line_value {
    return join "\t", map { my $piece = $_ // ''; $piece =~ tr/\t/ /; $piece } @_[0 .. 5];
}

sub order_bytes {
    my ($pairs) = @_;
    return encode('UTF-8', join '', map { clean($_->[0]) . '=' . clean($_->[1]) . "\r\n" } @$pairs);
}

# Writes a new order from its [name, value] pairs (without "order" and
# "date", which are set here); returns its number, or undef when it could
# not be written whole (nothing is then kept).
sub place_order {
    my ($data, $pairs) = @_;
    my $folder = folder($data);
    make_folder($folder) && make_folder("$data/locks") or return undef;
    return with_lock("$data/locks/orders", sub {
        my $counter = read_whole("$folder/counter") // '';
        my $number = ($counter =~ /\A\s*([0-9]{1,18})\s*\z/ ? $1 : highest_number($folder)) + 1;
        $number++ while -e file_of($data, $number);
        # Eighteen digits are whole numbers to Perl everywhere; an order
        # numbered past them could be written but never found again.
        return undef unless valid_order_number($number);
        my $date = strftime('%Y-%m-%dT%H:%M:%SZ', gmtime);
        write_atomically(file_of($data, $number),
            order_bytes([['order', $number], ['date', $date], grep { $_->[0] ne 'order' && $_->[0] ne 'date' } @$pairs]))
            or return undef;
        # A counter that could not be moved on is found again from the files.
        write_atomically("$folder/counter", "$number\r\n");
        return $number;
    });
}

sub highest_number {
    my ($folder) = @_;
    opendir(my $dir, $folder) or return 0;
    my ($highest) = sort { $b <=> $a } map { /\A([1-9][0-9]{0,17})\.order\z/ ? $1 : () } readdir $dir;
    closedir $dir;
    return $highest // 0;
}

# The order as its [name, value] pairs, or undef when there is no such order.
sub read_order {
    my ($data, $number) = @_;
    $number = valid_order_number($number) // return undef;
    my @pairs;
    each_line(file_of($data, $number), sub {
        my ($name, $value) = split /=/, decode('UTF-8', $_[0]), 2;
        push @pairs, [$name, $value] if defined $value;
    }) or return undef;
    return { number => $number, pairs => \@pairs };
}

# The first value of a name in an order; empty when it has none.
sub order_value {
    my ($order, $name) = @_;
    for my $pair (@{ $order->{pairs} }) { return $pair->[1] if $pair->[0] eq $name }
    return '';
}

# When the order was placed, as people read it: "2026-12-09 14:05 UTC"
# rather than the order file's "2026-12-09T14:05:41Z".
sub order_date {
    return order_value($_[0], 'date') =~ s/\A([0-9]{4}-[0-9][0-9]-[0-9][0-9])T([0-9][0-9]:[0-9][0-9]):[0-9][0-9]Z\z/$1 $2 UTC/r;
}

# The order's lines: { quantity, number, name, type, choices, total }.
sub order_lines {
    my ($order) = @_;
    my @lines;
    for my $pair (grep { $_->[0] eq 'line' } @{ $order->{pairs} }) {
        my %line;
        @line{qw(quantity number name type choices total)} = map { $_ // '' } split /\t/, $pair->[1], 6;
        push @lines, \%line;
    }
    return \@lines;
}

# The order numbers, newest first.
sub list_orders {
    my ($data) = @_;
    opendir(my $dir, folder($data)) or return [];
    my @numbers = sort { $b <=> $a } map { /\A([1-9][0-9]{0,17})\.order\z/ ? $1 + 0 : () } readdir $dir;
    closedir $dir;
    return \@numbers;
}

# Sets values of an order (a name it lacks is added at its end), under the
# orders' lock; false when the order is not there or cannot be written.
sub update_order {
    my ($data, $number, $changes) = @_;
    $number = valid_order_number($number) // return 0;
    make_folder("$data/locks") or return 0;
    return with_lock("$data/locks/orders", sub {
        my $order = read_order($data, $number) or return 0;
        my %left = %$changes;
        for my $pair (@{ $order->{pairs} }) {
            $pair->[1] = delete $left{ $pair->[0] } if exists $left{ $pair->[0] };
        }
        push @{ $order->{pairs} }, map { [$_, $left{$_}] } sort keys %left;
        return write_atomically(file_of($data, $number), order_bytes($order->{pairs}));
    }) ? 1 : 0;
}

1;
