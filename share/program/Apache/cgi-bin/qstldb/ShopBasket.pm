package ShopBasket;
# Baskets kept on the server, in the data folder's baskets folder, one file
# per basket named by a random identifier that the customer's cookie holds.
# A basket holds what the customer chose, never a price: every page prices
# it from the catalogue as it stands. Changes are taken under one lock and
# written whole, so two tabs or two customers never damage a basket.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(each_line write_atomically with_lock make_folder remove_unused);
use ShopRandom qw(random_hex);
use ShopText qw(url_encode url_decode from_request);

our @EXPORT_OK = qw(valid_basket_id new_basket_id read_basket change_basket add_line same_choice
    $MAX_QUANTITY $MAX_LINES);

our $MAX_QUANTITY = 999;
our $MAX_LINES    = 100;
my $UNUSED_DAYS   = 7;

sub valid_basket_id {
    my ($id) = @_;
    return defined $id && $id =~ /\A[0-9a-f]{32}\z/ ? $id : undef;
}

sub new_basket_id { return random_hex(16) }

sub basket_folder { return "$_[0]/baskets" }

# The lines of a basket: { product, quantity, type, choices => [[option,
# variation], ...] }. An unknown basket is empty.
sub read_basket {
    my ($data, $id) = @_;
    my @lines;
    return \@lines unless valid_basket_id($id);
    each_line(basket_folder($data) . "/$id", sub {
        my ($product, $quantity, $type, @choices) = split /\t/, $_[0], -1;
        return unless defined $type && $product =~ /\A-?\d{1,18}\z/ && $quantity =~ /\A\d{1,3}\z/;
        my @pairs = map { [ map { from_request(url_decode($_)) // '' } split(/=/, $_, 2), '' ] } @choices;
        push @lines, { product => $product, quantity => $quantity + 0,
            type => from_request(url_decode($type)) // '', choices => [ map { [ @$_[0, 1] ] } @pairs ] };
    });
    return \@lines;
}

# Reads the basket, lets $change alter its lines, and writes it back whole,
# all under the baskets' lock; an emptied basket is removed. False when the
# basket could not be written.
sub change_basket {
    my ($data, $id, $change) = @_;
    return 0 unless valid_basket_id($id);
    my $folder = basket_folder($data);
    make_folder($folder) && make_folder("$data/locks") or return 0;
    return with_lock("$data/locks/baskets", sub {
        remove_unused($folder, $UNUSED_DAYS, \&valid_basket_id);
        my $lines = read_basket($data, $id);
        $change->($lines);
        splice @$lines, $MAX_LINES if @$lines > $MAX_LINES;
        return unlink("$folder/$id") || !-e "$folder/$id" ? 1 : 0 unless @$lines;
        return write_atomically("$folder/$id", join '', map { line_text($_) } @$lines);
    }) ? 1 : 0;
}

sub line_text {
    my ($line) = @_;
    return join("\t", $line->{product}, $line->{quantity}, url_encode($line->{type}),
        map { url_encode($_->[0]) . '=' . url_encode($_->[1]) } @{ $line->{choices} }) . "\r\n";
}

sub same_choice {
    my ($a, $b) = @_;
    return 0 unless $a->{product} eq $b->{product} && $a->{type} eq $b->{type}
        && @{ $a->{choices} } == @{ $b->{choices} };
    for my $i (0 .. $#{ $a->{choices} }) {
        return 0 unless $a->{choices}[$i][0] eq $b->{choices}[$i][0] && $a->{choices}[$i][1] eq $b->{choices}[$i][1];
    }
    return 1;
}

# The same product with the same choices adds to its line, which never holds
# more than $MAX_QUANTITY (the basket page refuses more, with the reason,
# before it comes to that); anything else is a new line.
sub add_line {
    my ($lines, $new) = @_;
    for my $line (@$lines) {
        next unless same_choice($line, $new);
        $line->{quantity} = $line->{quantity} + $new->{quantity} > $MAX_QUANTITY
            ? $MAX_QUANTITY : $line->{quantity} + $new->{quantity};
        return;
    }
    push @$lines, $new;
}

1;
