package ShopBasket;
# Baskets kept on the server, in the data folder's baskets folder, one file
# per basket named by an identifier that the customer's cookie holds: random,
# and signed by the shop, so that an identifier the shop did not issue (one
# planted in a customer's browser) is never taken up.
# A basket holds what the customer chose, never a price: every page prices
# it from the catalogue as it stands. Changes are taken under one lock and
# written whole, so two tabs or two customers never damage a basket.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(each_line write_atomically with_lock make_folder remove_unused);
use ShopRandom qw(random_hex same_token);
use ShopSecret qw(shop_signature);
use ShopText qw(url_encode url_decode from_request);

our @EXPORT_OK = qw(valid_basket_id new_basket_id issued_basket_id basket_form_token move_basket read_basket
    change_basket add_line same_choice $MAX_QUANTITY $MAX_LINES $MAX_BASKETS $KEEP_SECONDS);

our $MAX_QUANTITY = 999;
our $MAX_LINES    = 100;
our $KEEP_SECONDS = 7 * 24 * 3600;
# Far more baskets than a small shop's customers fill in a week, and few
# enough that a script adding empty baskets in a loop cannot fill the host's
# disk.
our $MAX_BASKETS  = 20000;
my $UNUSED_DAYS   = 7;
my $RANDOM_BYTES  = 8;
my $SIGNATURE_HEX = 16;

sub valid_basket_id {
    my ($id) = @_;
    return defined $id && $id =~ /\A[0-9a-f]{32}\z/ ? $id : undef;
}

# Half of an identifier is random, half the shop's signature of that half:
# 32 hexadecimal digits, as every file the scripts name is.
sub basket_signature {
    my ($data, $random) = @_;
    return substr shop_signature($data, 'basket', $random), 0, $SIGNATURE_HEX;
}

sub new_basket_id {
    my ($data) = @_;
    my $random = random_hex($RANDOM_BYTES);
    return $random . basket_signature($data, $random);
}

# The identifier when the shop issued it; undef for any other.
sub issued_basket_id {
    my ($data, $id) = @_;
    return undef unless valid_basket_id($id);
    my ($random, $signature) = (substr($id, 0, 2 * $RANDOM_BYTES), substr($id, 2 * $RANDOM_BYTES));
    return same_token($signature, basket_signature($data, $random)) ? $id : undef;
}

# The token that the forms of basket $id carry and that a change must bring.
sub basket_form_token {
    my ($data, $id) = @_;
    return shop_signature($data, 'basket form', $id);
}

# The basket under a new identifier, so that the old one is worth nothing;
# false when it cannot be moved.
sub move_basket {
    my ($data, $from, $to) = @_;
    return 0 unless valid_basket_id($from) && valid_basket_id($to);
    my $folder = basket_folder($data);
    return 1 unless -e "$folder/$from";
    make_folder("$data/locks") or return 0;
    return with_lock("$data/locks/baskets", sub { !-e "$folder/$from" || rename("$folder/$from", "$folder/$to") }) ? 1 : 0;
}

sub basket_folder { return "$_[0]/baskets" }

# The lines of a basket: { product, quantity, type, choices => [[option,
# variation], ...] }. An unknown basket is empty.
sub read_basket {
    my ($data, $id) = @_;
    my @lines;
    return \@lines unless valid_basket_id($id);
    each_line(basket_folder($data) . "/$id", sub {
        my ($product, $quantity, $type, @choices) = split /\t/, $_[0], -1;
        return unless defined $type && $product =~ /\A-?[0-9]{1,18}\z/ && $quantity =~ /\A[0-9]{1,3}\z/;
        my @pairs = map { [ map { from_request(url_decode($_)) // '' } split(/=/, $_, 2), '' ] } @choices;
        push @lines, { product => $product, quantity => $quantity + 0,
            type => from_request(url_decode($type)) // '', choices => [ map { [ @$_[0, 1] ] } @pairs ] };
    });
    return \@lines;
}

# Reads the basket, lets $change alter its lines, and writes it back whole,
# all under the baskets' lock; an emptied basket is removed. A basket file
# is made only when something goes into it. 1 when done; 'full' when the
# shop holds as many baskets as it takes and this one would be new; 0 when
# the basket could not be written.
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
        return 'full' if !-e "$folder/$id" && basket_count($folder) >= $MAX_BASKETS;
        return write_atomically("$folder/$id", join '', map { line_text($_) } @$lines);
    }) || 0;
}

sub basket_count {
    my ($folder) = @_;
    opendir(my $dir, $folder) or return 0;
    my $count = grep { valid_basket_id($_) } readdir $dir;
    closedir $dir;
    return $count;
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
