package ShopSearch;
# The customer's search: every word of the search text, without regard to
# case, in the product's name or in the search fields the merchant chose.
use strict;
use warnings;
use Exporter qw(import);
use ShopCatalogue qw(@COLUMNS product_from_line product_from_values is_suppressed);
use ShopFiles qw(each_line);
use ShopText qw(to_catalogue from_catalogue);

our @EXPORT_OK = qw(search_fields search_words find_products);

our $MAX_WORDS = 8;

# searchfields: entries "column:label" joined by ","; a column that is not a
# product field of shop.data is left out, an entry without a label is
# offered under the field's name.
sub search_fields {
    my ($settings) = @_;
    my (@fields, %seen);
    for my $entry (split /,/, $settings->{searchfields} // '') {
        my ($position, $label) = split /:/, $entry, 3;
        my ($column) = ($position // '') =~ /\A\s*(\d{1,3})\s*\z/ or next;
        next if $column < 2 || $column > $#COLUMNS || $seen{ $column + 0 }++;
        $label = $COLUMNS[$column] unless defined $label && $label =~ /\S/;
        push @fields, { column => $column + 0, name => $COLUMNS[$column], label => $label };
    }
    return \@fields;
}

sub search_words {
    my ($text) = @_;
    my @words = grep { $_ ne '' } split /\s+/, $text // '';
    return @words > $MAX_WORDS ? @words[0 .. $MAX_WORDS - 1] : @words;
}

# The shown products holding every word in one of the fields named (the
# product's name as "Product Name"), in catalogue order: how many there are
# and the products from position $start, at most $count of them.
sub find_products {
    my ($data, $words, $fields, $start, $count) = @_;
    my @patterns = map { byte_pattern($_) } @$words;
    return (0, []) if !@patterns || grep { !defined } @patterns;
    my @lowered = map { lc } @$words;
    my %column = map { $COLUMNS[$_] => $_ } 0 .. $#COLUMNS;
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
