package ShopCategories;
# The category tree of header_data.log: index :: path :: description ::
# (empty) :: picture :: template, the path being the category names from the
# top joined by "|". A page looks up only the categories it shows, finding
# their lines in the file's bytes and decoding those alone, so that it costs
# the same whatever the size of the tree.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(read_whole write_atomically);
use ShopText qw(from_catalogue to_catalogue);

our @EXPORT_OK = qw(category_at category_by_path subcategories);

# Lines end in CR LF, LF or a lone CR; the text looked in has a line end
# before its first line and after its last.
# The rest of a line after its path: a path ends at the first "::".
my $REST = qr/(?:::[^\r\n]*+)?(?=[\r\n])/;
# A path's last name: no "|", and no "::", which would end the path; written
# as runs rather than a character at a time, for the top level is looked
# for on every line of the file.
my $NAME = qr/[^|:\r\n]*+(?::(?!:)[^|:\r\n]*+)*+/;

# The category whose index is $index, as the file's first line for it.
sub category_at {
    my ($shop, $index) = @_;
    return undef unless defined $index && $index =~ /\A\d+\z/;
    my ($category) = categories_where(category_text($shop), qr/[\r\n](\Q$index\E::[^\r\n]*)/, 1);
    return $category;
}

# The category at $path (characters), as the file's first line for it.
sub category_by_path {
    my ($shop, $path) = @_;
    my $bytes = to_catalogue($path) // return undef;
    my ($category) = grep { $_->{path} eq $path }
        categories_where(category_text($shop), qr/[\r\n](\d+::\Q$bytes\E$REST)/, 1);
    return $category;
}

# The categories just below $parent (a category; the top level when undef),
# in the file's order.
sub subcategories {
    my ($shop, $parent) = @_;
    my $path = defined $parent ? $parent->{path} : '';
    return $shop->{subcategories}{$path} //= [grep { $_->{parent} eq $path } defined $parent
        ? categories_where(category_text($shop), qr/[\r\n](\d+::\Q$parent->{path_bytes}|\E$NAME$REST)/)
        : categories_where(top_level_text($shop), qr/[\r\n](\d+::$NAME$REST)/)];
}

sub categories_where {
    my ($text, $pattern, $first_only) = @_;
    my @found;
    while ($text =~ /$pattern/g) {
        my $category = category_from_line($1) or next;
        push @found, $category;
        last if $first_only;
    }
    return @found;
}

sub category_text {
    my ($shop) = @_;
    return $shop->{category_text} //= "\n" . (read_whole("$shop->{data}/header_data.log") // '') . "\n";
}

# The lines of the top level alone, which every page shows: kept beside
# header_data.log in a file named after its size, time and inode, written by
# the first request that needs it.
sub top_level_text {
    my ($shop) = @_;
    my $data = $shop->{data};
    my @stat = stat "$data/header_data.log" or return "\n";
    my $kept = "$data/top-categories-$stat[7]-$stat[9]-$stat[1]";
    my $text = read_whole($kept);
    return $text if defined $text;
    $text = join "\n", '', (category_text($shop) =~ /[\r\n](\d+::$NAME$REST)/g), '';
    remove_other_top_levels($data, $kept) if write_atomically($kept, $text);
    return $text;
}

sub remove_other_top_levels {
    my ($data, $kept) = @_;
    opendir(my $dir, $data) or return;
    unlink map { "$data/$_" } grep { /\Atop-categories-\d+-\d+-\d+\z/ && "$data/$_" ne $kept } readdir $dir;
    closedir $dir;
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
