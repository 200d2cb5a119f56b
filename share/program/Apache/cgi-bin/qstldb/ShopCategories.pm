package ShopCategories;
# The category tree of header_data.log: index :: path :: description ::
# (empty) :: picture :: template, the path being the category names from the
# top joined by "|". A page looks up only the categories it shows, finding
# their lines in the file's bytes and decoding those alone, so that it costs
# the same whatever the size of the tree.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(read_whole);
use ShopText qw(from_catalogue to_catalogue);

our @EXPORT_OK = qw(category_at category_by_path subcategories);

# The rest of a line after its path: a path ends at the first "::".
my $REST = qr/(?:::[^\n]*+)?(?=\n)/;
# A path's last name: no "|", and no "::", which would end the path; written
# as runs rather than a character at a time, for the top level is looked
# for on every line of the file.
my $NAME = qr/[^|:\n]*+(?::(?!:)[^|:\n]*+)*+/;

# The category whose index is $index, as the file's first line for it.
sub category_at {
    my ($shop, $index) = @_;
    return undef unless defined $index && $index =~ /\A\d+\z/;
    my ($category) = categories_where($shop, qr/\n(\Q$index\E::[^\n]*)/, 1);
    return $category;
}

# The category at $path (characters), as the file's first line for it.
sub category_by_path {
    my ($shop, $path) = @_;
    my $bytes = to_catalogue($path) // return undef;
    my ($category) = grep { $_->{path} eq $path } categories_where($shop, qr/\n(\d+::\Q$bytes\E$REST)/, 1);
    return $category;
}

# The categories just below $parent (a category; the top level when undef),
# in the file's order.
sub subcategories {
    my ($shop, $parent) = @_;
    my $prefix = defined $parent ? "$parent->{path_bytes}|" : '';
    my $path = defined $parent ? $parent->{path} : '';
    return [grep { $_->{parent} eq $path } categories_where($shop, qr/\n(\d+::\Q$prefix\E$NAME$REST)/)];
}

sub categories_where {
    my ($shop, $pattern, $first_only) = @_;
    my $text = category_text($shop);
    my @found;
    while ($text =~ /$pattern/g) {
        my $category = category_from_line($1) or next;
        push @found, $category;
        last if $first_only;
    }
    return @found;
}

# The file's bytes with every line end (CR LF, LF or a lone CR) made "\n",
# and one before the first line and after the last.
sub category_text {
    my ($shop) = @_;
    return $shop->{category_text} //= do {
        my $bytes = read_whole("$shop->{data}/header_data.log") // '';
        $bytes =~ s/\r\n?/\n/g;
        "\n$bytes\n";
    };
}

sub category_from_line {
    my (undef, $path_bytes) = split /::/, $_[0], 3;
    my @field = split /::/, from_catalogue($_[0]), -1;
    return undef if @field < 2 || $field[1] eq '' || $field[0] !~ /\A\d+\z/;
    my ($parent, $name) = $field[1] =~ /\A(?:(.*)\|)?([^|]*)\z/s;
    return {
        index       => $field[0],
        path        => $field[1],
        path_bytes  => $path_bytes,
        parent      => $parent // '',
        name        => $name,
        level       => 2 + ($field[1] =~ tr/|//),
        description => $field[2] // '',
        picture     => $field[4] // '',
        template    => $field[5] // '',
    };
}

1;
