#!/usr/bin/perl
# The shop window: the category navigation and the products of one category,
# read from the catalogue files that the shop manager writes into the data
# folder. Only core Perl, so it runs on any host that runs Perl CGI scripts.
#
#   Catalogue.pl               welcome page
#   Catalogue.pl?cat=INDEX     the category with that index in header_data.log
#   Catalogue.pl?page=terms    the terms and conditions
#
# A customer must always get a page: missing or damaged files give a friendly
# message, never a server error.

use strict;
use warnings;
use File::Basename qw(dirname);
use Cwd qw(abs_path);

my $SCRIPT_DIR = dirname(abs_path(__FILE__));
my %CURRENCY_SYMBOL = (gbp => '&pound;', usd => '$', eur => '&euro;');
my $PREPARING = 'Our catalogue is being prepared. Please come back soon.';

# Calls $visit for every line of a file. The files come from Windows as often
# as not, so a line may end in CR LF, LF or a lone CR. False when the file
# cannot be opened.
sub each_line {
    my ($path, $visit) = @_;
    open(my $fh, '<:raw', $path) or return 0;
    while (defined(my $chunk = <$fh>)) {
        $chunk =~ s/(?:\r\n|\n|\r)\z//;
        $visit->($_) for (length $chunk ? split(/\r/, $chunk, -1) : (''));
    }
    close $fh;
    return 1;
}

sub html {
    my ($text) = @_;
    $text //= '';
    $text =~ s/&/&amp;/g;
    $text =~ s/</&lt;/g;
    $text =~ s/>/&gt;/g;
    $text =~ s/"/&quot;/g;
    $text =~ s/'/&#39;/g;
    return $text;
}

# Stored values hold their line breaks as the text "<br>"; nothing else in
# them is markup.
sub html_text {
    my ($text) = @_;
    return join '<br>', map { html($_) } split /<br>/, $text // '', -1;
}

sub url_encode {
    my ($text, $keep) = @_;
    $keep //= '';
    $text =~ s/([^A-Za-z0-9\-._~$keep])/sprintf '%%%02X', ord $1/ge;
    return $text;
}

sub url_decode {
    my ($text) = @_;
    $text =~ tr/+/ /;
    $text =~ s/%([0-9A-Fa-f]{2})/chr hex $1/ge;
    return $text;
}

sub query_parameters {
    my %parameters;
    for my $pair (split /[&;]/, $ENV{QUERY_STRING} // '') {
        next if $pair eq '';
        my ($name, $value) = split /=/, $pair, 2;
        $parameters{ url_decode($name) } //= url_decode($value // '');
    }
    return \%parameters;
}

# qstl2.cfg: name=value lines; names match without regard to case and the
# first line of a name wins, as in the shop manager.
sub read_settings {
    my %settings;
    each_line("$SCRIPT_DIR/qstl2.cfg", sub {
        my ($name, $value) = split /=/, $_[0], 2;
        $settings{ lc $name } //= $value if defined $value;
    });
    return \%settings;
}

sub data_dir {
    my ($settings) = @_;
    my $path = $settings->{path} // '';
    $path = 'data' if $path eq '';
    return $path =~ m{\A(?:/|[A-Za-z]:[\\/])} ? $path : "$SCRIPT_DIR/$path";
}

# header_data.log: index :: path :: description :: (empty) :: picture :: template,
# the path being the category names from the top joined by "|".
sub read_categories {
    my ($data) = @_;
    my @categories;
    each_line("$data/header_data.log", sub {
        my @field = split /::/, $_[0], -1;
        return if @field < 2 || $field[1] eq '';
        my ($parent, $name) = $field[1] =~ /\A(?:(.*)\|)?([^|]*)\z/s;
        push @categories, {
            index       => $field[0],
            path        => $field[1],
            parent      => $parent // '',
            name        => $name,
            description => $field[2] // '',
            picture     => $field[4] // '',
        };
    });
    return \@categories;
}

# shop.data: 23 fields per product; field 1 is the category path, "|" and the
# product name. Undef when there is no catalogue file yet.
sub read_products {
    my ($data, $category_path) = @_;
    my @products;
    my $found = each_line("$data/shop.data", sub {
        my @field = split /::/, $_[0], -1;
        return if @field < 2;
        my ($path, $name) = $field[1] =~ /\A(.*)\|([^|]*)\z/s or return;
        return if $path ne $category_path || ($field[20] // '') ne '';
        push @products, {
            name        => $name,
            unit        => $field[7] // '',
            price       => $field[8] // '',
            number      => $field[14] // '',
            description => $field[18] // '',
            picture     => $field[19] // '',
            tax_code    => $field[21] // '',
        };
    });
    return $found ? \@products : undef;
}

sub picture_url {
    my ($settings, $picture) = @_;
    return ($settings->{imagepath} // '') . '/' . url_encode($picture, '/');
}

# shop.tax: code=rate TAB description. Codes are matched without regard to
# case; a product whose code is not listed is not VAT-able.
sub read_vat_rates {
    my ($data) = @_;
    my %rates;
    each_line("$data/shop.tax", sub {
        my ($code, $value) = split /=/, $_[0], 2;
        return unless defined $value && $code ne '';
        my ($rate) = split /\t/, $value, 2;
        $rates{ lc $code } //= $rate if defined $rate && $rate =~ /\A(?:\d+(?:\.\d*)?|\.\d+)\z/;
    });
    return \%rates;
}

# An amount in pence, from a price as typed; undef when it is not a number.
sub pence {
    my ($price) = @_;
    return undef unless $price =~ /\A\s*(\d+(?:\.\d*)?|\.\d+)\s*\z/;
    return int($1 * 100 + 0.5);
}

sub money_html {
    my ($pence, $currency) = @_;
    my $amount = sprintf '%d.%02d', int($pence / 100), $pence % 100;
    my $symbol = $CURRENCY_SYMBOL{ lc($currency // '') };
    return $symbol ? "$symbol$amount" : html(($currency // '') eq '' ? $amount : "$amount " . uc $currency);
}

# The price as the shop's VAT settings say prices are typed: with VAT
# included, without it (the VAT is then added for the customer to see), or
# with VAT not calculated at all.
sub price_html {
    my ($price, $settings, $vat_rate) = @_;
    my $pence = pence($price);
    return html($price) unless defined $pence;
    my $currency = $settings->{currency};
    my $action = $settings->{taxaction} // 'exclude';
    return money_html($pence, $currency) if $action eq 'ignore' || !defined $vat_rate;
    return money_html($pence, $currency) . ' <span class="vat">incl. VAT</span>' if $action eq 'include';
    # Rate in hundredths of a percent, so that the VAT is rounded once, to the penny.
    my $hundredths = int($vat_rate * 100 + 0.5);
    my $with_vat = $pence + int(($pence * $hundredths + 5000) / 10000);
    return money_html($pence, $currency) . ' <span class="vat">+ VAT at ' . html(sprintf('%.2f', $hundredths / 100))
        . '% = ' . money_html($with_vat, $currency) . '</span>';
}

sub category_link {
    my ($category, $attributes) = @_;
    my $href = '?cat=' . url_encode($category->{index});
    return '<a href="' . html($href) . '"' . ($attributes // '') . '>' . html($category->{name}) . '</a>';
}

# The top level, and below each category on the way to the current one its
# sub-categories: the customer sees where they are and where they can go.
sub navigation_list {
    my ($children, $parent, $current) = @_;
    my $items = $children->{$parent} or return '';
    my $list = '<ul>';
    for my $category (@$items) {
        my $here = defined $current && $category->{path} eq $current;
        my $open = defined $current && ($here || index($current, "$category->{path}|") == 0);
        $list .= '<li>' . category_link($category, $here ? ' class="current"' : '');
        $list .= navigation_list($children, $category->{path}, $current) if $open;
        $list .= "</li>\n";
    }
    return "$list</ul>";
}

sub children_of {
    my ($categories) = @_;
    my %children;
    push @{ $children{ $_->{parent} } }, $_ for @$categories;
    return \%children;
}

sub notice { return '<p class="notice">' . html($_[0]) . "</p>\n" }

sub product_card {
    my ($settings, $vat_rates, $product) = @_;
    my $picture = $product->{picture} eq '' ? 'nopicture.gif' : $product->{picture};
    my $card = qq{<article class="product">\n<img src="}
        . html(picture_url($settings, $picture)) . '" alt="' . html($product->{name}) . qq{">\n};
    $card .= '<div class="details"><h3>' . html($product->{name}) . "</h3>\n";
    $card .= '<p>' . html_text($product->{description}) . "</p>\n" if $product->{description} ne '';
    $card .= '<p class="number">Catalogue number ' . html($product->{number}) . "</p>\n"
        if $product->{number} ne '';
    $card .= "</div>\n";
    if ($product->{price} ne '') {
        my $unit = $product->{unit} eq '' ? '' : ' <span class="unit">' . html($product->{unit}) . '</span>';
        my $rate = $vat_rates->{ lc $product->{tax_code} };
        $card .= '<p class="price">' . price_html($product->{price}, $settings, $rate) . "$unit</p>\n";
    }
    return "$card</article>\n";
}

# levtext: a text for each level of the catalogue, joined by TAB; level 1
# is the welcome page, level 2 a top-level category, and so on.
sub level_text_html {
    my ($settings, $level) = @_;
    my @texts = split /\t/, $settings->{levtext} // '', -1;
    my $text = $texts[ $level - 1 ] // '';
    return $text eq '' ? '' : '<p class="level">' . html_text($text) . "</p>\n";
}

sub category_page {
    my ($settings, $data, $category, $children) = @_;
    my $level = 2 + ($category->{path} =~ tr/|//);
    my $page = '<h2>' . html($category->{name}) . "</h2>\n" . level_text_html($settings, $level);
    $page .= '<img class="banner" src="' . html(picture_url($settings, $category->{picture})) . qq{" alt="">\n}
        if $category->{picture} ne '';
    $page .= '<p class="intro">' . html_text($category->{description}) . "</p>\n"
        if $category->{description} ne '';
    my $products = read_products($data, $category->{path});
    return $page . notice($PREPARING) unless $products;
    if (@$products) {
        my $vat_rates = read_vat_rates($data);
        $page .= qq{<div class="products">\n} . join('', map { product_card($settings, $vat_rates, $_) } @$products)
            . "</div>\n";
    } elsif (!$children->{ $category->{path} }) {
        $page .= notice('There are no products in this category yet.');
    }
    my $subs = $children->{ $category->{path} } || [];
    $page .= '<p class="more">See also: ' . join(', ', map { category_link($_) } @$subs) . "</p>\n" if @$subs;
    return $page;
}

sub terms_page {
    my ($data) = @_;
    my @lines;
    each_line("$data/termcondition.txt", sub { push @lines, html($_[0]) });
    return "<h2>Terms and conditions</h2>\n"
        . (@lines ? '<div class="terms">' . join("<br>\n", @lines) . "</div>\n"
                  : notice('Our terms and conditions will be published here soon.'));
}

sub welcome_page {
    my ($settings, $categories) = @_;
    return "<h2>Welcome</h2>\n" . level_text_html($settings, 1)
        . (@$categories ? notice('Please choose a category to see its products.') : notice($PREPARING));
}

my $STYLE = <<'CSS';
body { margin: 0; font: 15px/1.5 "Segoe UI", Helvetica, Arial, sans-serif; color: #222; background: #f4f5f7; }
header { display: flex; align-items: center; gap: 14px; padding: 12px 24px; background: #1f3b5c; color: #fff; }
header h1 { margin: 0; font-size: 24px; font-weight: 600; }
header a { color: inherit; text-decoration: none; }
.layout { display: flex; gap: 24px; max-width: 1100px; margin: 24px auto; padding: 0 16px; align-items: flex-start; }
nav { flex: 0 0 220px; background: #fff; border-radius: 8px; padding: 12px 0; box-shadow: 0 1px 3px rgba(0,0,0,.12); }
nav ul { list-style: none; margin: 0; padding: 0; }
nav ul ul { padding-left: 14px; }
nav a { display: block; padding: 5px 16px; color: #1f3b5c; text-decoration: none; }
nav a:hover { background: #eef3f9; }
nav a.current { font-weight: 600; background: #dde8f5; }
main { flex: 1; min-width: 0; }
main h2 { margin-top: 0; color: #1f3b5c; }
main a { color: #1f3b5c; }
.more { margin-top: 20px; }
.banner { max-width: 100%; border-radius: 8px; }
.products { display: grid; grid-template-columns: repeat(auto-fill, minmax(230px, 1fr)); gap: 16px; }
.product { display: flex; flex-direction: column; background: #fff; border-radius: 8px; overflow: hidden;
           box-shadow: 0 1px 3px rgba(0,0,0,.12); }
.product img { width: 100%; height: 170px; object-fit: contain; background: #f2f3f5; }
.details { padding: 10px 14px; flex: 1; }
.details h3 { margin: 0 0 6px; font-size: 17px; }
.details p { margin: 0 0 6px; }
.number { color: #777; font-size: 13px; }
.price { margin: 0; padding: 10px 14px; font-size: 18px; font-weight: 600; color: #1a7f37; border-top: 1px solid #eee; }
.unit, .vat { font-size: 13px; font-weight: normal; color: #666; }
.level { font-size: 16px; color: #1f3b5c; }
.notice { padding: 14px 18px; background: #fff; border-left: 4px solid #1f3b5c; border-radius: 4px; }
.terms { background: #fff; padding: 16px 20px; border-radius: 8px; }
footer { text-align: center; padding: 16px; color: #666; font-size: 13px; }
footer a { color: #1f3b5c; }
CSS

sub html_page {
    my ($settings, $navigation, $content) = @_;
    my $company = ($settings->{company} // '') eq '' ? 'Our shop' : $settings->{company};
    my $logo = html(picture_url($settings, 'logo.gif'));
    return qq{<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="windows-1252">\n}
        . qq{<meta name="viewport" content="width=device-width, initial-scale=1">\n}
        . '<title>' . html($company) . "</title>\n<style>\n$STYLE</style>\n</head>\n<body>\n"
        . qq{<header><a href="?"><img src="$logo" alt="" width="64" height="48"></a>}
        . '<h1><a href="?">' . html($company) . "</a></h1></header>\n"
        . qq{<div class="layout">\n<nav>$navigation</nav>\n<main>\n$content</main>\n</div>\n}
        . qq{<footer><a href="?page=terms">Terms and conditions</a></footer>\n</body>\n</html>\n};
}

sub catalogue_page {
    my $settings   = read_settings();
    my $data       = data_dir($settings);
    my $parameters = query_parameters();
    my $categories = read_categories($data);
    my $children   = children_of($categories);
    my ($current)  = grep { defined $parameters->{cat} && $_->{index} eq $parameters->{cat} } @$categories;
    my $content
        = ($parameters->{page} // '') eq 'terms' ? terms_page($data)
        : $current                               ? category_page($settings, $data, $current, $children)
        : defined $parameters->{cat}             ? notice('Sorry, that category could not be found.')
        :                                          welcome_page($settings, $categories);
    my $navigation = navigation_list($children, '', $current && $current->{path});
    return html_page($settings, $navigation, $content);
}

my $page = eval { catalogue_page() };
$page = html_page({}, '', notice('Sorry, the catalogue cannot be shown just now. Please try again later.'))
    unless defined $page;
binmode STDOUT, ':raw';
print "Content-Type: text/html; charset=windows-1252\r\n\r\n", $page;
exit 0;
