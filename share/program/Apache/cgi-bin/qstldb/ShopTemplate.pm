package ShopTemplate;
# The merchant's own page designs: an HTML file in the data folder, named by
# a product's "Product Template" or a category's "Template", whose
# placeholders {{Field Name}} are filled with the escaped values.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(read_whole);
use ShopText qw(from_catalogue);

our @EXPORT_OK = qw(fill_template);

my $MAX_TEMPLATE = 262144;

# The template's body with its placeholders filled from $values (lower-case
# names to HTML); a placeholder named in $must_show that the template lacks
# is added at its end, so that no design can hide the order form. Undef when
# the name is not a plain file name of the data folder or the file is not
# there: the standard page is then shown.
sub fill_template {
    my ($data, $file, $values, $must_show) = @_;
    return undef unless defined $file && $file =~ /\A[A-Za-z0-9_][A-Za-z0-9 ._-]{0,100}\z/ && $file =~ /\.html?\z/i;
    my $bytes = read_whole("$data/$file", $MAX_TEMPLATE);
    return undef unless defined $bytes;
    my $text = from_catalogue($bytes);
    $text = $1 if $text =~ m{<body[^>]*>(.*)</body>}is;
    my %used;
    $text =~ s/\{\{\s*([^{}]{1,60}?)\s*\}\}/$used{ lc $1 } = 1; $values->{ lc $1 } \/\/ ''/ge;
    $text .= "\n" . $values->{$_} for grep { !$used{$_} } @{ $must_show // [] };
    return $text;
}

1;
