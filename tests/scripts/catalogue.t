#!/usr/bin/perl
# Runs the shop's catalogue script the way a web server runs a CGI program and
# checks the page a customer gets; then checks that the installation ships
# what the shop manager copies into every new shop.
use strict;
use warnings;
use File::Basename qw(dirname);
use File::Copy qw(copy);
use File::Path qw(make_path);
use Cwd qw(abs_path);
use File::Temp qw(tempdir);
use Test::More;

my $PROGRAM = $ENV{QUAYSTALL_SHARE_PROGRAM}
    // dirname(abs_path(__FILE__)) . '/../../share/program';
my $SCRIPTS = "$PROGRAM/Apache/cgi-bin/qstldb";

sub slurp {
    my ($path) = @_;
    open(my $fh, '<:raw', $path) or die "$path: $!";
    local $/;
    return scalar <$fh>;
}

sub spew {
    my ($path, $eol, @lines) = @_;
    open(my $fh, '>:raw', $path) or die "$path: $!";
    print $fh map { "$_$eol" } @lines;
    close $fh or die "$path: $!";
}

my @SHOP_DATA_COLUMNS = qw(id path type options custom1 custom2 custom3 unit price custom4 custom5
    custom6 custom7 weight number custom8 custom9 custom10 description picture suppress tax template);

sub product {
    my (%field) = @_;
    return join '::', map { $field{$_} // '' } @SHOP_DATA_COLUMNS;
}

my %STANDARD_SHOP = (
    'qstl2.cfg' => ['company=Harbour & Co', 'IMAGEPATH=/images/demo-images', 'PATH=data', 'currency=gbp'],
    'data/header_data.log' =>
        ['0::Books::Printed <matter> & more::::books.jpg::', '1::Books|Fiction::::::::', '2::Garden::::::::'],
    'data/shop.data' => [
        product(id => 1, path => 'Books|Dune', price => '9.99', unit => 'each', number => 'B-1',
            description => 'Size < 10 cm & more', picture => 'dune cover.jpg'),
        product(id => 2, path => 'Books|Atlas', price => '12', description => 'Line one<br>Line two'),
        product(id => 3, path => 'Books|Hidden Gem', price => '1', suppress => 'yes'),
        product(id => 4, path => 'Books|Fiction|Emma', price => '7.5'),
        product(id => 5, path => 'Garden|Spade', price => 'ask us'),
    ],
    'data/termcondition.txt' => ['Returns within 14 days & <free>', '', 'Second paragraph'],
);

# Products with VAT codes: Y standard, r reduced (named in another case by
# the product), Z not listed and so not VAT-able.
my %VAT_SHOP = (
    'data/shop.tax'  => ["Y=17.50\tStandard", "R=5.00\tReduced", "bad=x\tNot a rate"],
    'data/shop.data' => [
        product(id => 1, path => 'Books|Dune', price => '10', tax => 'Y'),
        product(id => 2, path => 'Books|Map', price => '.99', tax => 'r'),
        product(id => 3, path => 'Books|Atlas', price => '3', tax => 'Z'),
        product(id => 4, path => 'Books|Odd', price => '3', tax => 'bad'),
    ],
);

# Builds a shop folder with the shipped script; a file given as undef is left out.
sub make_shop {
    my (%change) = @_;
    my $eol = delete $change{eol} // "\r\n";
    my %files = (%STANDARD_SHOP, %change);
    my $dir = tempdir(CLEANUP => 1);
    make_path("$dir/data");
    copy("$SCRIPTS/Catalogue.pl", "$dir/Catalogue.pl") or die "copy: $!";
    for my $name (sort keys %files) {
        next unless defined $files{$name};
        make_path(dirname("$dir/$name"));
        spew("$dir/$name", $eol, @{ $files{$name} });
    }
    return $dir;
}

# The web server's view: CGI variables set, started from another folder.
sub run_catalogue {
    my ($dir, $query) = @_;
    local %ENV = (%ENV, GATEWAY_INTERFACE => 'CGI/1.1', REQUEST_METHOD => 'GET', QUERY_STRING => $query,
        SERVER_PROTOCOL => 'HTTP/1.1', SERVER_NAME => 'localhost',
        SCRIPT_NAME => '/cgi-bin/qstldb/demo-cgi/Catalogue.pl');
    open(my $out, '-|', $^X, "$dir/Catalogue.pl") or die "perl: $!";
    binmode $out;
    local $/;
    my $page = <$out> // '';
    close $out;
    return ($page, $? >> 8);
}

my @cases = (
    {   name   => 'a category shows its own products, escaped',
        query  => 'cat=0',
        like   => [qr/Size &lt; 10 cm &amp; more/, qr/Line one<br>Line two/, qr/&pound;9\.99/,
                   qr/&pound;12\.00/, qr/<span class="unit">each<\/span>/, qr/Catalogue number B-1/,
                   qr/src="\/images\/demo-images\/dune%20cover\.jpg"/, qr/Printed &lt;matter&gt; &amp; more/,
                   qr/src="\/images\/demo-images\/books\.jpg"/, qr/href="\?cat=0" class="current">Books</,
                   qr/<ul><li><a href="\?cat=1">Fiction<\/a>/, qr/href="\?cat=2">Garden</],
        unlike => [qr/Hidden Gem/, qr/Emma/, qr/Spade/, qr/Size < 10/, qr/<matter>/],
    },
    {   name   => 'a sub-category keeps its branch open',
        query  => 'cat=%31',
        like   => [qr/<h2>Fiction<\/h2>/, qr/Emma/, qr/&pound;7\.50/, qr/href="\?cat=0">Books<\/a><ul>/,
                   qr/class="current">Fiction</],
        unlike => [qr/Dune/, qr/class="current">Books/],
    },
    {   name   => 'a price that is not a number is shown as typed',
        query  => 'cat=2',
        like   => [qr/<p class="price">ask us<\/p>/, qr/src="\/images\/demo-images\/nopicture\.gif" alt="Spade"/],
    },
    {   name   => 'the welcome page shows the top level only',
        query  => '',
        like   => [qr/<h2>Welcome<\/h2>/, qr/<h1><a href="\?">Harbour &amp; Co<\/a><\/h1>/,
                   qr/src="\/images\/demo-images\/logo\.gif"/],
        unlike => [qr/Fiction/, qr/Dune/],
    },
    {   name  => 'an unknown category is reported on a page',
        query => 'cat=99&cat=0',
        like  => [qr/that category could not be found/],
    },
    {   name   => 'the terms are shown as typed',
        query  => 'page=terms',
        like   => [qr/Returns within 14 days &amp; &lt;free&gt;<br>\n<br>\nSecond paragraph/],
    },
    {   name  => 'a missing shop.data gives an empty catalogue',
        shop  => { 'data/shop.data' => undef },
        query => 'cat=0',
        like  => [qr/<h2>Books<\/h2>/, qr/Our catalogue is being prepared/],
    },
    {   name  => 'a shop without any file still gets a page',
        shop  => { map { $_ => undef } keys %STANDARD_SHOP },
        query => 'cat=0&page=terms',
        like  => [qr/<title>Our shop<\/title>/, qr/terms and conditions will be published here soon/],
    },
    {   name  => 'damaged lines are passed over',
        shop  => { 'data/shop.data' => ['garbage', '::', "\x00::Books|Bin\xff", '7::Books|Short', '::Books'] },
        query => 'cat=0',
        like  => [qr/<h3>Short<\/h3>/, qr/<h3>Bin\xff<\/h3>/],
    },
    {   name  => 'lone CR line ends are read',
        shop  => { eol => "\r" },
        query => 'cat=0',
        like  => [qr/<h3>Dune<\/h3>/, qr/<h3>Atlas<\/h3>/, qr/href="\?cat=2">Garden</],
    },
    {   name  => 'prices typed without VAT show the VAT added, per product tax code',
        shop  => { %VAT_SHOP, 'qstl2.cfg' => ['taxaction=exclude', 'currency=gbp'] },
        query => 'cat=0',
        like  => [qr/&pound;10\.00 <span class="vat">\+ VAT at 17\.50% = &pound;11\.75<\/span>/,
                  qr/&pound;0\.99 <span class="vat">\+ VAT at 5\.00% = &pound;1\.04<\/span>/,
                  qr/<p class="price">&pound;3\.00<\/p>/],
        unlike => [qr/VAT at 0\.00/],
    },
    {   name  => 'without a tax action prices are taken to exclude VAT',
        shop  => { %VAT_SHOP, 'qstl2.cfg' => ['currency=gbp'] },
        query => 'cat=0',
        like  => [qr/&pound;10\.00 <span class="vat">\+ VAT at 17\.50%/],
    },
    {   name   => 'prices typed with VAT say so',
        shop   => { %VAT_SHOP, 'qstl2.cfg' => ['taxaction=include', 'currency=gbp'] },
        query  => 'cat=0',
        like   => [qr/&pound;10\.00 <span class="vat">incl\. VAT<\/span>/, qr/<p class="price">&pound;3\.00<\/p>/],
        unlike => [qr/\+ VAT/],
    },
    {   name   => 'no VAT calculations: prices as typed',
        shop   => { %VAT_SHOP, 'qstl2.cfg' => ['taxaction=ignore', 'currency=gbp'] },
        query  => 'cat=0',
        like   => [qr/<p class="price">&pound;10\.00<\/p>/],
        unlike => [qr/VAT/],
    },
    {   name   => 'each level shows its navigation text',
        shop   => { 'qstl2.cfg' => ["levtext=Choose a department\tChoose a <range><br>of books\t"] },
        query  => 'cat=0',
        like   => [qr/<h2>Books<\/h2>\n<p class="level">Choose a &lt;range&gt;<br>of books<\/p>/],
        unlike => [qr/department/],
    },
    {   name  => 'the welcome page shows the first level text',
        shop  => { 'qstl2.cfg' => ["levtext=Choose a department\tChoose a range"] },
        query => '',
        like  => [qr/<h2>Welcome<\/h2>\n<p class="level">Choose a department<\/p>/],
    },
    {   name   => 'a level without a text shows none',
        shop   => { 'qstl2.cfg' => ["levtext=One\tTwo"] },
        query  => 'cat=1',
        unlike => [qr/class="level"/],
    },
    {   name  => 'PATH names the data folder beside the script',
        shop   => { 'qstl2.cfg' => ['PATH=stock'], 'stock/header_data.log' => ['5::Tools::::::::'] },
        query  => '',
        like   => [qr/href="\?cat=5">Tools</],
        unlike => [qr/Books/],
    },
);

for my $case (@cases) {
    my $dir = make_shop(%{ $case->{shop} // {} });
    my ($page, $status) = run_catalogue($dir, $case->{query});
    subtest $case->{name} => sub {
        is($status, 0, 'exit status');
        like($page, qr/\AContent-Type: text\/html; charset=windows-1252\r\n\r\n<!DOCTYPE html>/, 'header');
        like($page, $_, "shows $_") for @{ $case->{like} };
        unlike($page, $_, "hides $_") for @{ $case->{unlike} // [] };
    };
}

subtest 'the installation ships a working script set' => sub {
    my %list;
    for my $name ('AllCGIFiles.txt', 'CGIFiles.txt') {
        my $text = slurp("$SCRIPTS/$name");
        like($text, qr/\A(?:[^\r\n]+\r\n)+\z/, "$name: one name a line, CR LF");
        $list{$name} = [split /\r\n/, $text];
        for my $entry (@{ $list{$name} }) {
            unlike($entry, qr{[/\\]|\A\.\.\z}, "$name: $entry names a file in its own folder");
            ok(-f "$SCRIPTS/$entry", "$name: $entry exists");
        }
    }
    my %all = map { $_ => 1 } @{ $list{'AllCGIFiles.txt'} };
    ok($all{'CGIFiles.txt'}, 'every new shop receives CGIFiles.txt');
    ok($all{$_}, "a new shop receives $_, which an export copies") for @{ $list{'CGIFiles.txt'} };
    for my $script (grep {/\.pl\z/} keys %all) {
        like(slurp("$SCRIPTS/$script"), qr/\A#!/, "$script starts with an interpreter line");
    }
};

subtest 'every shipped text file has CR LF line ends' => sub {
    for my $dir ($SCRIPTS, "$SCRIPTS/data") {
        opendir(my $dh, $dir) or die "$dir: $!";
        for my $name (grep { -f "$dir/$_" } sort readdir $dh) {
            like(slurp("$dir/$name"), qr/\A(?:[^\r\n]*\r\n)+\z/, "$name: every line ends with CR LF");
        }
    }
};

subtest 'starting data files' => sub {
    my $data = "$SCRIPTS/data";
    ok(!-e "$data/shop.data", 'no catalogue: a new shop starts empty');
    my @areas = split /\r\n/, slurp("$data/area.txt");
    is(scalar(grep { /\A\*?[^=*]+=[1-6],[01]\z/ } @areas), scalar(@areas), 'areas: name=zone,liability');
    my @codes = map { /\A([^=]+)=\d+\.\d\d\t/ ? $1 : 'malformed' } split /\r\n/, slurp("$data/shop.tax");
    my ($headings) = slurp("$data/countries.tax") =~ /\AHeadings=([^\r\n]*)\r\n/;
    my @padding = ('') x (@codes < 4 ? 4 - @codes : 0);
    is_deeply([split /\t/, $headings // '', -1], [@codes, @padding], 'country rate columns follow the VAT codes');
    like(slurp("$data/flavours.txt"), qr/\A[^\t\r\n]+(?:\t[^\t\r\n]+)+\r\n/, 'an option with its variations');
};

subtest 'tool-bar bitmaps' => sub {
    for my $base (qw(save category sub-category new import export delete post catologue)) {
        my %bitmap;
        for my $state ('off', 'on') {
            my $path = "$PROGRAM/Buttons/$base-$state.bmp";
            my $bytes = -f $path ? slurp($path) : '';
            $bitmap{$state} = $bytes;
            my ($magic, $size, $offset, $width, $height, $bits)
                = length $bytes >= 54 ? unpack('a2 V x4 V x4 l< l< x2 v', $bytes) : ('');
            ok($magic eq 'BM' && $bits == 24 && $size == length $bytes && $offset + $width * $height * 3 <= $size,
                "$base-$state.bmp is a 24-bit bitmap");
        }
        isnt($bitmap{on}, $bitmap{off}, "$base: the hot image differs from the normal one");
    }
};

done_testing();
