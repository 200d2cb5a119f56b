package ShopSearch;
# The customer's search: every word of the search text, without regard to
# case, in the product's name or in the search fields the merchant chose.
use strict;
use warnings;
use Exporter qw(import);
use ShopCatalogue qw(column_names product_from_line product_from_values is_suppressed);
use ShopFiles qw(each_line);
use ShopIndex qw(current_index word_index lines_at word_positions);
use ShopText qw(to_catalogue from_catalogue);

our @EXPORT_OK = qw(search_words find_products scan_products);

our $MAX_WORDS = 8;

sub search_words {
    my ($text) = @_;
    my @words = grep { $_ ne '' } split /\s+/, $text // '';
    return @words > $MAX_WORDS ? @words[0 .. $MAX_WORDS - 1] : @words;
}

# The shown products holding every word in one of the fields named (the
# product's name as "Product Name"), in catalogue order: how many there are
# and the products from position $start, at most $count of them. Read
# through the index's words when there is an index, from shop.data when not.
sub find_products {
    my ($shop, $words, $fields, $start, $count) = @_;
    return (0, []) if !@$words || grep { !defined byte_pattern($_) } @$words;
    my ($index, $word_index) = (current_index($shop), word_index($shop));
    my $found = defined $index && defined $word_index
        ? indexed_products($index, $word_index, $words, $fields, $start, $count) : undef;
    return @$found if $found;
    return scan_products($shop->{data}, $words, $fields, $start, $count);
}

# The same through the index: the products holding each word are a bit
# string by position, and the products holding all of them the bits the
# strings share. Undef when the index cannot be read.
sub indexed_products {
    my ($index, $word_index, $words, $fields, $start, $count) = @_;
    my @names = column_names();
    my %column = map { $names[$_] => $_ } 0 .. $#names;
    my @columns = map { $_ eq 'Product Name' ? 1 : $column{$_} } @$fields;
    my $all;
    for my $word (@$words) {
        my $lowered = lc $word;
        utf8::encode($lowered);
        my $holding = '';
        for my $column (@columns) {
            $holding |= word_positions($word_index, $column, $lowered) // return undef;
        }
        $all = defined $all ? $all & $holding : $holding;
    }
    my $total = unpack '%32b*', $all;
    my $lines = lines_at($index, [positions($all, $start, $count)]) // return undef;
    return [$total, [grep { defined } map { product_from_line($_) } @$lines]];
}

# The positions of the set bits of $bits, from the $start-th, at most $count.
sub positions {
    my ($bits, $start, $count) = @_;
    my ($seen, @positions) = (0);
    my $block = 4096;
    for (my $at = 0; $at < length $bits && @positions < $count; $at += $block) {
        my $part = substr $bits, $at, $block;
        my $set = unpack '%32b*', $part;
        if ($seen + $set <= $start) {
            $seen += $set;
            next;
        }
        my $flags = unpack 'b*', $part;
        my $position = index $flags, '1';
        while ($position >= 0 && @positions < $count) {
            push @positions, 8 * $at + $position if $seen++ >= $start;
            $position = index $flags, '1', $position + 1;
        }
    }
    return @positions;
}

# The same read from every line of shop.data: the rule the index follows.
sub scan_products {
    my ($data, $words, $fields, $start, $count) = @_;
    my @patterns = map { byte_pattern($_) } @$words;
    return (0, []) if !@patterns || grep { !defined } @patterns;
    my @lowered = map { lc } @$words;
    my @names = column_names();
    my %column = map { $names[$_] => $_ } 0 .. $#names;
    my @searched = map { $_ eq 'Product Name' ? -1 : $column{$_} } @$fields;
    my $suppress = $column{Suppress};
    # Words of ASCII letters alone are matched on the catalogue's bytes, whose
    # other characters never fold into them: only the lines shown are decoded.
    my $ascii = !grep { /[^\x00-\x7F]/ } @lowered;
    my ($total, @found) = (0);
    each_line("$data/shop.data", sub {
        my ($line) = @_;
        for my $pattern (@patterns) { return unless $line =~ $pattern }
        my @value = split /::/, $ascii ? $line : from_catalogue($line), -1;
        return if @value < 2 || is_suppressed($value[$suppress]);
        my @texts = map { lc($_ < 0 ? $value[1] =~ s/\A.*\|//sr : $value[$_] // '') } @searched;
        for my $word (@lowered) { return unless grep { index($_, $word) >= 0 } @texts }
        if ($total >= $start && @found < $count) {
            my $product = $ascii ? product_from_line($line) : product_from_values(@value);
            push @found, $product if $product;
        }
        $total++ if $value[0] =~ /\A-?\d+\z/ && $value[1] =~ /\|/;
    });
    return ($total, \@found);
}

# A pattern over catalogue bytes that every line holding the word matches,
# whatever the case of its letters; undef when the word has a character the
# catalogue cannot hold.
sub byte_pattern {
    my ($word) = @_;
    my $pattern = '';
    for my $character (split //, $word) {
        my %forms = map { my $bytes = to_catalogue($_); defined $bytes ? ($bytes => 1) : () }
            $character, lc $character, uc $character;
        return undef unless %forms;
        $pattern .= '(?:' . join('|', map { quotemeta } sort keys %forms) . ')';
    }
    return qr/$pattern/;
}

1;
