#!/usr/bin/perl
# The shop window as a customer gets it: categories, product pages, types,
# options, templates, search and prices, each request run as a CGI program.
use strict;
use warnings;
use utf8;
use Encode qw(decode);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use Test::More;
use TestShop qw(make_shop run_script product);
use lib $TestShop::SCRIPTS;
use Fcntl qw(:flock);
use ShopIndex qw(current_index word_index);
use ShopSearch qw(scan_products search_words);
use ShopText qw(from_request url_decode);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

my %STANDARD_SHOP = (
    'qstl2.cfg' => ['company=Harbour & Co', 'IMAGEPATH=/images/demo-images', 'PATH=data', 'currency=gbp',
                    'opt_radio_entries=3', 'searchfields=18:About it,14:Cat No'],
    'data/header_data.log' =>
        ['0::Books::Printed <matter> & more::::books.jpg::', '1::Books|Fiction::::::::', '2::Garden::::::::'],
    'data/shop.data' => [
        product(id => 1, path => 'Books|Dune', price => '9.99', unit => 'each', number => 'B-1',
            description => 'Size < 10 cm & more', picture => 'dune cover.jpg'),
        product(id => 2, path => 'Books|Atlas', price => '12', description => 'Line one<br>Line two'),
        product(id => 3, path => 'Books|Hidden Gem', price => '1', suppress => 'yes'),
        product(id => 4, path => 'Books|Fiction|Emma', price => '7.5'),
        product(id => 5, path => "Garden|Caf\xe9 \xa3 spade", price => 'ask us'),
        product(id => 6, path => 'Garden|Hat', type => 'Cotton|Wool|Silk', options => '0|7|1', price => '12.00|15.50|',
            description => 'Warm', number => 'H-1|H-2'),
    ],
    'data/flavours.txt' => ["Size\tSmall\tMedium\tLarge", "Colour\tRed\tGreen\tBlue\tBlack", "Empty"],
    'data/fieldinfo.data' => ['Price=Decimal,Mandatory,"The price.","Needed.",No,Yes',
                              'Catalogue Number=Text,Optional,"Number.","Optional.",Yes,Yes'],
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

my @cases = (
    {   name   => 'a category shows its own products, escaped',
        query  => 'cat=0',
        like   => [qr/£9\.99/, qr/£12\.00/, qr/<span class="unit">each<\/span>/, qr/<p class="number">B-1</,
                   qr/src="\/images\/demo-images\/dune%20cover\.jpg"/, qr/Printed &lt;matter&gt; &amp; more/,
                   qr/src="\/images\/demo-images\/books\.jpg"/, qr/href="Catalogue\.pl\?cat=0" class="current">Books</,
                   qr/<ul><li><a href="Catalogue\.pl\?cat=1">Fiction<\/a>/, qr/href="Catalogue\.pl\?cat=2">Garden</,
                   qr/<h3><a href="Catalogue\.pl\?product=1">Dune<\/a><\/h3>/],
        unlike => [qr/Hidden Gem/, qr/Emma/, qr/Size < 10/, qr/<matter>/],
    },
    {   name   => 'a sub-category keeps its branch open',
        query  => 'cat=%31',
        like   => [qr/<h2>Fiction<\/h2>/, qr/Emma/, qr/£7\.50/, qr/href="Catalogue\.pl\?cat=0">Books<\/a><ul>/,
                   qr/class="current">Fiction</],
        unlike => [qr/Dune/, qr/class="current">Books/],
    },
    {   name   => 'a price that is not a number is on request, in Windows-1252 names shown as UTF-8',
        query  => 'cat=2',
        like   => [qr/Café £ spade<\/a>.*Price on request/s, qr/>Hat<\/a>.*<p class="price">from £12\.00<\/p>/s,
                   qr/src="\/images\/demo-images\/nopicture\.gif" alt="Café £ spade" loading="lazy" data-fallback="\/images\/demo-images\/nopicture\.gif"/],
    },
    {   name   => 'a product page shows its description, picture and order form',
        query  => 'product=1',
        like   => [qr/<h2>Dune<\/h2>/, qr/<p class="description">Size &lt; 10 cm &amp; more<\/p>/,
                   qr/<dt>Catalogue Number<\/dt><dd>B-1<\/dd>/, qr/<form class="order" method="post" action="Basket\.pl">/,
                   qr/name="product" value="1"/, qr/name="qty"/, qr/Add to basket<\/button>/],
        unlike => [qr/name="type"/, qr/name="opt1"/],
    },
    {   name   => 'a product on request cannot be ordered',
        query  => 'product=5',
        like   => [qr/contact us for the price/],
        unlike => [qr/Add to basket/],
    },
    {   name   => 'per-type fields show the chosen type, the first value standing in for a missing one',
        query  => 'product=6&type=Wool',
        like   => [qr/<p class="price">£15\.50<\/p>/, qr/<dd>H-2<\/dd>/, qr/<option value="Wool" selected>Wool - £15\.50/,
                   qr/<option value="Cotton">Cotton - £12\.00/, qr/<option value="Silk">Silk - £12\.00/],
    },
    {   name   => 'options: positions past the last option and options without variations are passed over',
        query  => 'product=6',
        like   => [qr/<legend>Size<\/legend>(?:<label class="choice"><input type="radio" name="opt1" required value="\w+">[^<]*<\/label>){3}<\/fieldset>/,
                   qr/<legend>Colour<\/legend><select name="opt2" required[^>]*><option value="">Choose colour\.\.\.<\/option>/],
        unlike => [qr/name="opt3"/, qr/Empty/],
    },
    {   name   => 'without a radio limit every option is a drop-down list',
        shop   => { 'qstl2.cfg' => ['opt_radio_entries=many'] },
        query  => 'product=6',
        like   => [qr/<select name="opt1"/, qr/<select name="opt2"/],
        unlike => [qr/type="radio"/],
    },
    {   name   => 'the welcome page shows the top level only',
        query  => '',
        like   => [qr/<h2>Welcome<\/h2>/, qr/<span>Harbour &amp; Co<\/span>/, qr/src="\/images\/demo-images\/logo\.gif"/,
                   qr/<option value="18">About it<\/option><option value="14">Cat No<\/option>/],
        unlike => [qr/Fiction/, qr/Dune/],
    },
    {   name  => 'the terms are shown as typed',
        query => 'page=terms',
        like  => [qr/Returns within 14 days &amp; &lt;free&gt;<br>\n<br>\nSecond paragraph/],
    },
    {   name  => 'a missing shop.data gives an empty catalogue',
        shop  => { 'data/shop.data' => undef },
        query => 'cat=0',
        like  => [qr/<h2>Books<\/h2>/, qr/Our catalogue is being prepared/],
    },
    {   name  => 'a shop without any file still gets a page',
        shop  => { map { $_ => undef } keys %STANDARD_SHOP },
        query => 'page=terms',
        like  => [qr/<title>Terms and conditions - Our shop<\/title>/, qr/terms and conditions will be published here soon/],
    },
    {   name   => 'damaged lines are passed over',
        shop   => { 'data/shop.data' => ['garbage', '::', "x::Books|Bad id", "8::Books|Bin\xff", '7::Books|Short', '::Books'] },
        query  => 'cat=0',
        like   => [qr/>Short<\/a><\/h3>/, qr/>Binÿ<\/a><\/h3>/],
        unlike => [qr/Bad id/],
    },
    {   name  => 'lone CR line ends are read',
        eol   => "\r",
        query => 'cat=0',
        like  => [qr/>Dune<\/a>/, qr/>Atlas<\/a>/, qr/href="Catalogue\.pl\?cat=2">Garden</],
    },
    {   name   => 'prices typed without VAT show the VAT added, per product tax code',
        shop   => { %VAT_SHOP, 'qstl2.cfg' => ['taxaction=exclude', 'currency=gbp'] },
        query  => 'cat=0',
        like   => [qr/£10\.00 <span class="vat">\+ VAT at 17\.50% = £11\.75<\/span>/,
                   qr/£0\.99 <span class="vat">\+ VAT at 5\.00% = £1\.04<\/span>/, qr/<p class="price">£3\.00<\/p>/,
                   qr/£3\.00 <span class="vat">\+ VAT<\/span>/],    # a rate that is not a number: no figure
        unlike => [qr/VAT at 0\.00/],
    },
    {   name   => 'a rate of three decimals, and thousands marked',
        shop   => { %VAT_SHOP, 'qstl2.cfg' => ['taxaction=EXCLUDE', 'currency=gbp'], 'data/shop.tax' => ["Y=17.555\tOdd"],
                    'data/shop.data' => [product(id => 1, path => 'Books|Dune', price => '10', tax => 'Y'),
                                         product(id => 2, path => 'Books|Piano', price => '1000', tax => 'y')] },
        query  => 'cat=0',
        # 10.00 x 17.555% = 1.7555, up: 11.76; 1000.00 x 17.555% = 175.55: 1,175.55
        like   => [qr/£10\.00 <span class="vat">\+ VAT at 17\.555% = £11\.76<\/span>/,
                   qr/£1,000\.00 <span class="vat">\+ VAT at 17\.555% = £1,175\.55<\/span>/],
    },
    {   name  => 'without a tax action prices are taken to exclude VAT',
        shop  => { %VAT_SHOP, 'qstl2.cfg' => ['currency=gbp'] },
        query => 'cat=0',
        like  => [qr/£10\.00 <span class="vat">\+ VAT at 17\.50%/],
    },
    {   name   => 'prices typed with VAT say so',
        shop   => { %VAT_SHOP, 'qstl2.cfg' => ['taxaction=include', 'currency=gbp'] },
        query  => 'cat=0',
        like   => [qr/£10\.00 <span class="vat">incl\. VAT<\/span>/, qr/<p class="price">£3\.00<\/p>/],
        unlike => [qr/\+ VAT/],
    },
    {   name   => 'no VAT calculations: prices as typed',
        shop   => { %VAT_SHOP, 'qstl2.cfg' => ['taxaction=ignore', 'currency=eur'] },
        query  => 'cat=0',
        like   => [qr/<p class="price">€10\.00<\/p>/],
        unlike => [qr/VAT/],
    },
    {   name   => 'each level shows its navigation text',
        shop   => { 'qstl2.cfg' => ["levtext=Choose a department\tChoose a <range><br>of books\t"] },
        query  => 'cat=0',
        like   => [qr/<p class="level">Choose a &lt;range&gt;<br>of books<\/p>\n<h2>Books<\/h2>/],
        unlike => [qr/department/],
    },
    {   name   => 'the welcome page shows the first level text, a level without one none',
        shop   => { 'qstl2.cfg' => ["levtext=Choose a department\t\tThird"] },
        query  => '',
        like   => [qr/<h2>Welcome<\/h2>\n<p class="level">Choose a department<\/p>/],
    },
    {   name   => 'PATH names the data folder beside the script',
        shop   => { 'qstl2.cfg' => ['PATH=stock'], 'stock/header_data.log' => ['5::Tools::::::::'] },
        query  => '',
        like   => [qr/href="Catalogue\.pl\?cat=5">Tools</],
        unlike => [qr/Books/],
    },
    {   name   => 'a product template shows the fields escaped and keeps the order form',
        shop   => { 'data/shop.data' => [product(id => 1, path => 'Books|Dune', price => '5', unit => '<b>',
                                                  template => 'book.html')],
                    'data/book.html' => ['<html><body><h1>{{Product Name}}</h1>{{ Unit }}|{{Price}}|{{Nothing}}|</body></html>'] },
        query  => 'product=1',
        like   => [qr/<h1>Dune<\/h1>&lt;b&gt;\|<p class="price">£5\.00<\/p>\|\|\n<form class="order"/],
        unlike => [qr/<html><body>/, qr/class="product-page"/],
    },
    {   name   => 'a template outside the data folder, or missing, gives the standard page',
        shop   => { 'data/shop.data' => [product(id => 1, path => 'Books|Dune', price => '5', template => '../qstl2.cfg'),
                                         product(id => 2, path => 'Books|Atlas', price => '5', template => 'gone.html')] },
        query  => 'product=1',
        like   => [qr/class="product-page"/],
    },
    {   name   => 'a weight shows with the short form of its unit',
        shop   => { 'qstl2.cfg' => ['PATH=data', 'weightunit=grammes (g)'],
                    'data/shop.data' => [product(id => 1, path => 'Books|Dune', price => '5', weight => '600')] },
        query  => 'product=1',
        like   => [qr{<dt>Weight</dt><dd>600 g</dd>}],
        unlike => [qr/grammes/],
    },
    {   name   => 'a unit typed without a short form shows as typed',
        shop   => { 'qstl2.cfg' => ['PATH=data', 'weightunit= lb '],
                    'data/shop.data' => [product(id => 1, path => 'Books|Dune', price => '5', weight => '2')] },
        query  => 'product=1',
        like   => [qr{<dt>Weight</dt><dd>2 lb</dd>}],
    },
    {   name   => 'a category template lists the products where it says',
        shop   => { 'data/header_data.log' => ['0::Books::About books::::::shelf.htm'],
                    'data/shelf.htm' => ['<div class="mine">{{Category Name}}: {{Description}}</div>{{Products}}<p>end</p>'] },
        query  => 'cat=0',
        like   => [qr/<div class="mine">Books: About books<\/div><div class="products">.*Dune.*<\/div>\n<p>end<\/p>/s],
    },
);

# Suppress values: which hide a product.
for my $suppress (['Yes', 1], ['y', 1], ['X', 1], ['1', 1], ['No', 0], ['off', 0], [' 0 ', 0], ['', 0]) {
    push @cases, {
        name  => "Suppress '$suppress->[0]'",
        shop  => { 'data/shop.data' => [product(id => 1, path => 'Books|Shown', price => '1'),
                                        product(id => 2, path => 'Books|Maybe', price => '1', suppress => $suppress->[0])] },
        query => 'cat=0',
        ($suppress->[1] ? 'unlike' : 'like') => [qr/Maybe/],
        like2 => [qr/Shown/],
    };
}

for my $case (@cases) {
    my %files = (%STANDARD_SHOP, %{ $case->{shop} // {} });
    my $dir = make_shop(\%files, $case->{eol});
    my ($status, $head, $page, $errors) = run_script($dir, 'Catalogue.pl', { query => $case->{query} });
    $page = decode('UTF-8', $page);
    subtest $case->{name} => sub {
        is($status, 200, 'status');
        like($head, qr{Content-Type: text/html; charset=UTF-8}, 'UTF-8 page');
        my ($nonce) = $head =~ /^Content-Security-Policy: default-src 'none';.* script-src 'nonce-([0-9a-f]{32})';/m;
        like($page, qr/<script nonce="\Q${\($nonce \/\/ 'none')}\E">/, "only the page's own script runs");
        is($errors, '', 'nothing on the server log');
        like($page, $_, "shows $_") for @{ $case->{like} // [] }, @{ $case->{like2} // [] };
        unlike($page, $_, "hides $_") for @{ $case->{unlike} // [] };
    };
}

my @SEARCHES = (
    ['search=DUNE',                       ['Dune'],             'the name, in any case'],
    ['search=cm+MORE',                    ['Dune'],             'every word, in a search field'],
    ['search=cm&in=name',                 [],                   'only the name'],
    ['search=b-1&in=14',                  ['Dune'],             'only one field'],
    ['search=b-1&in=18',                  [],                   'not in another field'],
    ['search=hidden',                     [],                   'never a suppressed product'],
    ['search=CAF%C3%89',                  ['Café £ spade'],     'a letter beyond ASCII in another case'],
    ['search=%C3%A9+%C2%A3',              ['Café £ spade'],     'parts of words beyond ASCII'],
    ['search=%C5%81%C3%B3d%C5%BA',        [],                   'a word the catalogue cannot hold'],
    ['search=pot',                        [map { "Pot $_" } 1 .. 20], 'twenty to a page'],
    ['search=pot&start=20',               [map { "Pot $_" } 21 .. 25], 'the next page'],
    ['search=ot+clay+2',                  ['Pot 2', map { "Pot $_" } 12, 20 .. 25], 'parts of words, in two fields'],
    ['search=line+TWO',                   ['Atlas'],            'words either side of a stored line break'],
    ['search=h-2&in=14',                  ['Hat'],              'a later type of a per-type field'],
    ['search=zebra',                      [],                   'a word found nowhere'],
);
my @POTS = map { product(id => 100 + $_, path => 'Garden|Pot ' . $_, price => '2', description => 'clay') } 1 .. 25;

subtest 'search' => sub {
    my $dir = make_shop({ %STANDARD_SHOP, 'data/shop.data' => [@{ $STANDARD_SHOP{'data/shop.data'} }, @POTS] });
    my @searches = @SEARCHES;
    for my $search (@searches) {
        my ($query, $names, $what) = @$search;
        my ($status, undef, $page, $errors) = run_script($dir, 'Catalogue.pl', { query => $query });
        $page = decode('UTF-8', $page);
        my @found = $page =~ /<h3><a href="[^"]*">([^<]*)<\/a><\/h3>/g;
        is_deeply([map { s/&amp;/&/gr } @found], $names, $what);
        is($errors, '', "$what: nothing on the server log");
    }
    my (undef, undef, $page) = run_script($dir, 'Catalogue.pl', { query => 'search=pot' });
    like($page, qr/25 products found.*1&ndash;20 of 25.*href="Catalogue\.pl\?search=pot&amp;in=all&amp;start=20">Next/s,
        'the count and a link to the next page');
};

subtest 'the index follows the catalogue' => sub {
    my $dir = make_shop(\%STANDARD_SHOP);
    my (undef, undef, $page) = run_script($dir, 'Catalogue.pl', { query => 'cat=0' });
    like($page, qr/Dune/, 'first page read through a new index');
    my @indexes = glob "$dir/data/index*";
    is(scalar @indexes, 1, 'one index');
    TestShop::spew("$dir/data/shop.data", "\r\n", product(id => 1, path => 'Books|Changed', price => '1'));
    utime time + 5, time + 5, "$dir/data/shop.data";
    (undef, undef, $page) = run_script($dir, 'Catalogue.pl', { query => 'cat=0' });
    like($page, qr/Changed/, 'a changed catalogue is shown at once');
    unlike($page, qr/Dune/, 'nothing of the old one');
    my @now = glob "$dir/data/index*";
    ok(@now == 1 && $now[0] ne $indexes[0], 'the old index is gone');
    (undef, undef, $page) = run_script($dir, 'Catalogue.pl', { query => 'product=001' });
    like($page, qr/<h2>Changed<\/h2>/, 'a product found by its number written another way');
    TestShop::spew("$dir/data/header_data.log", "\r\n", '0::Tools::::::::');
    utime time + 5, time + 5, "$dir/data/header_data.log";
    (undef, undef, $page) = run_script($dir, 'Catalogue.pl', { query => '' });
    like($page, qr/cat=0">Tools</, 'a changed category tree is shown at once');
    unlike($page, qr/Garden|Books/, 'nothing of the old tree');
    is(scalar(() = glob "$dir/data/top-categories-*"), 1, 'one top level kept');
};

# The search as the shop page asks for it, straight from the modules: the
# words and the fields of a query string.
sub search_request {
    my ($dir, $query) = @_;
    my %query = map { my ($name, $value) = split /=/, $_, 2; ($name => from_request(url_decode($value))) } split /&/, $query;
    my $in = $query{in} // 'all';
    my @fields = (['Product Name', 1], ['Description', 18], ['Catalogue Number', 14]);
    my @where = map { $_->[0] } grep { $in eq 'all' || ($in eq 'name' ? $_->[1] == 1 : $_->[1] eq $in) } @fields;
    my $shop = { data => "$dir/data", settings => { searchfields => '18:About it,14:Cat No' } };
    return ($shop, [search_words($query{search})], \@where, $query{start} // 0);
}

subtest 'the index finds what reading every line finds' => sub {
    my $dir = make_shop({ %STANDARD_SHOP, 'data/shop.data' => [@{ $STANDARD_SHOP{'data/shop.data'} }, @POTS] });
    for my $search (@SEARCHES) {
        my ($query, undef, $what) = @$search;
        my ($shop, $words, $where, $start) = search_request($dir, $query);
        my ($total, $found)
            = @{ ShopSearch::indexed_products(current_index($shop), word_index($shop), $words, $where, $start, 20) // [] };
        my ($scan_total, $scanned) = scan_products($shop->{data}, $words, $where, $start, 20);
        is($total, $scan_total, "$what: as many");
        is_deeply([map { $_->{id} } @$found], [map { $_->{id} } @$scanned], "$what: the same products");
    }
};

subtest 'while another request builds the index, pages are read from shop.data' => sub {
    my $dir = make_shop({ %STANDARD_SHOP, 'data/shop.data' => [
        product(id => 7, path => 'Books|Seven first'), product(id => -5, path => 'Books|Minus five'),
        product(id => 12, path => 'Books|Twelve hidden', suppress => 'Yes'), product(id => 7, path => 'Garden|Seven again'),
        product(id => -3, path => 'Books|Minus three'), product(id => 0, path => 'Garden|Nought'),
        product(id => 12, path => 'Garden|Twelve shown'), product(id => 12345678901234567, path => 'Garden|Long'),
        @POTS] });
    my @pages = (
        ['product=7',                 qr/<h2>Seven first<\/h2>/,   'the first of two lines with one ID'],
        ['product=007',               qr/<h2>Seven first<\/h2>/,   'an ID written with noughts before it'],
        ['product=-5',                qr/<h2>Minus five<\/h2>/,    'a negative ID'],
        ['product=-3',                qr/<h2>Minus three<\/h2>/,   'another negative ID'],
        ['product=-0',                qr/<h2>Nought<\/h2>/,        'nought with a sign'],
        ['product=12',                qr/<h2>Twelve shown<\/h2>/,  'a suppressed line passed over'],
        ['product=12345678901234567', qr/<h2>Long<\/h2>/,          'a long ID'],
        ['product=-7',                qr/could not be found/,      'an ID nobody has'],
        ['cat=2&start=24',            qr/>Pot 21<.*>Pot 25<.*25&ndash;29 of 29/s, 'the last page of a category'],
        ['search=seven',              qr/2 products found.*Seven first.*Seven again/s, 'a search'],
    );
    mkdir "$dir/data/locks";
    my @locks = map { open(my $lock, '>>', "$dir/data/locks/$_") or die $!; flock($lock, LOCK_EX) or die $!; $lock }
        qw(index words);
    for my $building (1, 0) {
        for my $page (@pages) {
            my ($query, $shows, $what) = @$page;
            my (undef, undef, $body, $errors) = run_script($dir, 'Catalogue.pl', { query => $query });
            like(decode('UTF-8', $body), $shows, ($building ? 'while building: ' : 'through the index: ') . $what);
            is($errors, '', "$what: nothing on the server log");
        }
        is(scalar(() = glob "$dir/data/{index,words}*"), 2 * (1 - $building),
            $building ? 'nobody else builds meanwhile' : 'then one index of each kind');
        close $_ for @locks;
    }
};

subtest 'categories are found with any line end, whatever else the file holds' => sub {
    my @categories = ('0::Books::About books', '1::Books|Fiction', 'x::Bad', '::Empty', '2::', '3::Books|Odd: colon:::tail',
        "5::Caf\x81", "6::Caf\x81|Inner", '1::Duplicate index', '9::Books|Fiction|Deep');
    my @pages = (
        ['',      [qr/cat=0">Books</, qr/cat=5">Caf\x{FFFD}</, qr/cat=1">Duplicate index</], [qr/Bad|Empty|Fiction|cat=2"/], 'the top level, a second line of an index among it'],
        ['cat=0', [qr/<li><a href="Catalogue\.pl\?cat=1">Fiction<\/a><\/li><li><a href="Catalogue\.pl\?cat=3">Odd: colon</],
                  [qr/Deep|Duplicate/], "a category's own sub-categories, a colon ending a name"],
        ['cat=1', [qr/<h2>Fiction<\/h2>/, qr/cat=9">Deep</], [qr/Duplicate/], 'the first line of an index'],
        ['cat=3', [qr/<h2>Odd: colon<\/h2>/, qr/<p class="intro">:tail</], [], 'a path ends at the first "::"'],
        ['cat=5', [qr/cat=6">Inner</], [], 'below a name the catalogue cannot spell'],
        ['cat=9', [qr/cat=0">Books<\/a> &rsaquo; <a href="Catalogue\.pl\?cat=1">Fiction<\/a> &rsaquo; Deep|cat=1">Fiction<\/a> &rsaquo; <a href="Catalogue\.pl\?cat=9">Deep/,
                   qr/cat=1">Fiction<\/a><ul><li><a href="Catalogue\.pl\?cat=9" class="current">Deep/], [], 'the way there'],
    );
    for my $eol ("\r\n", "\n", "\r") {
        my $dir = make_shop({ %STANDARD_SHOP, 'data/header_data.log' => \@categories }, $eol);
        my $ending = sprintf '%vX', $eol;
        for my $page (@pages) {
            my ($query, $like, $unlike, $what) = @$page;
            my (undef, undef, $body) = run_script($dir, 'Catalogue.pl', { query => $query });
            $body = decode('UTF-8', $body);
            like($body, $_, "$what ($ending)") for @$like;
            unlike($body =~ s{.*<main>}{}sr, $_, "$what: no more ($ending)") for @$unlike;
        }
    }
};

subtest 'a script reached through a link reads the modules and settings beside the file' => sub {
    my $dir = make_shop(\%STANDARD_SHOP);
    my $elsewhere = File::Temp::tempdir(CLEANUP => 1);
    symlink("$dir/Catalogue.pl", "$elsewhere/Catalogue.pl") or die "symlink: $!";
    my ($status, undef, $page, $errors) = run_script($elsewhere, 'Catalogue.pl', { query => 'cat=0' });
    is($status, 200, 'the page is made');
    like($page, qr/<span>Harbour &amp; Co<\/span>.*Dune/s, "with the shop's settings and catalogue");
    is($errors, '', 'nothing on the server log');
};

subtest 'once built, pages are read from the index alone' => sub {
    my $dir = make_shop({ %STANDARD_SHOP, 'data/shop.data' => [@{ $STANDARD_SHOP{'data/shop.data'} }, @POTS] });
    run_script($dir, 'Catalogue.pl', { query => 'search=pot' });
    # shop.data changed in place, its size, time and inode kept: only a page
    # that reads it again could show the change.
    my $file = "$dir/data/shop.data";
    my @stat = stat $file;
    my $bytes = TestShop::slurp($file) =~ s/Pot (\d)/Pan $1/gr;
    open(my $fh, '+<:raw', $file) or die $!;
    print {$fh} $bytes;
    close $fh;
    utime $stat[8], $stat[9], $file;
    for my $query ('cat=2', 'cat=2&start=24', 'product=101', 'search=pot', 'search=clay&in=18') {
        my (undef, undef, $page) = run_script($dir, 'Catalogue.pl', { query => $query });
        like($page, qr/Pot \d/, "$query: from the index");
        unlike($page, qr/Pan \d/, "$query: nothing read from shop.data");
    }
};

done_testing();
