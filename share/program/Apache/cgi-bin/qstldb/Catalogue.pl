#!/usr/bin/perl
# The shop window: the welcome page, the categories, each product's own page,
# the search and the terms, read from the catalogue files that the shop
# manager writes into the data folder. Only core Perl, so it runs on any host
# that runs Perl CGI scripts.
#
#   Catalogue.pl                          welcome page
#   Catalogue.pl?cat=INDEX[&start=N]      a category (its index in header_data.log)
#   Catalogue.pl?product=ID[&type=NAME]   a product's page
#   Catalogue.pl?search=TEXT&in=WHERE     search: "all", "name" or a search field's column
#   Catalogue.pl?page=terms               the terms and conditions
#
# A customer always gets a page: bad requests and missing or damaged files
# give a message in plain words with the shop's navigation.

use strict;
use warnings;
# The scripts' own folder, holding their modules and settings; a script
# reached through a link looks beside the file it links to.
my $RealBin;
BEGIN {
    my $file = __FILE__;
    if (-l $file) { require Cwd; $file = Cwd::abs_path($file) // $file }
    ($RealBin) = $file =~ m{\A(.*)/} or $RealBin = '.';
    unshift @INC, $RealBin;
}
use ShopCatalogue qw(product_from_line field_for_type read_terms);
use ShopCategories qw(category_at category_by_path subcategories);
use ShopConfig qw(search_fields);
use ShopContext qw(open_shop per_type_fields);
use ShopIndex qw(category_lines id_line);
use ShopPage qw(send_shop_page send_failure_page notice picture_html picture_url category_link level_text_html pager_html);
use ShopProduct qw(price_html product_card type_index order_form product_facts_html);
use ShopRequest qw(read_request);
use ShopSearch qw(search_words find_products);
use ShopTemplate qw(fill_template);
use ShopText qw(html html_text url_encode to_catalogue);

my $CATEGORY_PAGE = 24;
my $RESULTS_PAGE  = 20;
my $MAX_SEARCH    = 100;
my $PREPARING     = 'Our catalogue is being prepared. Please come back soon.';

sub has_catalogue { return -e "$_[0]{data}/shop.data" }

sub refused {
    my ($status, $text) = @_;
    return ($status, 'Sorry', notice($text));
}

sub start_position {
    my ($start) = @_;
    return 0 unless defined $start;
    return $start =~ /\A[0-9]{1,7}\z/ ? $start + 0 : undef;
}

sub crumbs_html {
    my ($shop, $path) = @_;
    my @links;
    my @names = split /\|/, $path;
    for my $depth (1 .. @names) {
        my $category = category_by_path($shop, join '|', @names[0 .. $depth - 1]);
        push @links, $category ? category_link($category) : html($names[ $depth - 1 ]);
    }
    return '<p class="crumbs">' . join(' &rsaquo; ', @links) . "</p>\n";
}

sub product_page {
    my ($shop, $id, $type_name) = @_;
    return refused('404 Not Found', 'Sorry, that product could not be found.') unless $id =~ /\A-?[0-9]{1,18}\z/;
    my $line = has_catalogue($shop) ? id_line($shop, $id) : undef;
    my $product = defined $line ? product_from_line($line) : undef;
    return refused('404 Not Found', 'Sorry, that product could not be found.') unless $product;
    my $type = type_index($product, $type_name) // 0;
    return ('200 OK', $product->{name}, product_content($shop, $product, $type), $product->{category});
}

# The product's page: through the merchant's template when it names one.
sub product_content {
    my ($shop, $product, $type) = @_;
    my $per_type = per_type_fields($shop);
    my $value = sub { field_for_type($product, $per_type, $_[0], $type) };
    my $picture = picture_html($shop, $value->('Picture'), $product->{name}, 'picture');
    my $price = '<p class="price">' . price_html($shop, $product, $type) . '</p>';
    my $description = $value->('Description') =~ /\S/ ? '<p class="description">' . html_text($value->('Description')) . '</p>' : '';
    my $form = order_form($shop, $product, $type);
    my %values = map { lc($_) => html($value->($_)) } keys %{ $product->{fields} };
    %values = (%values, 'product name' => html($product->{name}), price => $price, picture => $picture,
        'picture url' => html(picture_url($shop, $value->('Picture'))), description => html_text($value->('Description')),
        category => html(join ' > ', split /\|/, $product->{category}), 'order form' => $form);
    my $crumbs = crumbs_html($shop, $product->{category});
    my $designed = fill_template($shop->{data}, $product->{fields}{'Product Template'}, \%values, ['order form']);
    return $crumbs . $designed if defined $designed;
    return $crumbs . qq{<div class="product-page">\n$picture\n<div class="info">\n<h2>} . html($product->{name})
        . "</h2>\n$price\n$description\n" . product_facts_html($shop, $product, $type) . $form . "</div>\n</div>\n";
}

sub category_page {
    my ($shop, $index, $start_text) = @_;
    my $category = $index =~ /\A[0-9]{1,9}\z/ ? category_at($shop, $index + 0) : undef;
    return refused('404 Not Found', 'Sorry, that category could not be found.') unless $category;
    my $start = start_position($start_text);
    return refused('400 Bad Request', 'Sorry, that page of the category could not be found.') unless defined $start;
    my $subs = subcategories($shop, $category);
    my $products_html;
    if (!has_catalogue($shop)) {
        $products_html = notice($PREPARING);
    } else {
        # Every line given names a product: only the page's own are decoded.
        my $lines = category_lines($shop, to_catalogue($category->{path}) // '');
        # A slice past the end would add empty lines to the count.
        my $last = $start + $CATEGORY_PAGE - 1 < $#$lines ? $start + $CATEGORY_PAGE - 1 : $#$lines;
        my @shown = grep { defined } map { product_from_line($_) } @$lines[ $start .. $last ];
        $products_html = !@$lines ? (@$subs ? '' : notice('There are no products in this category yet.'))
            : qq{<div class="products">\n} . join('', map { product_card($shop, $_) } @shown) . "</div>\n"
              . pager_html(scalar @$lines, $start, $CATEGORY_PAGE,
                  sub { "Catalogue.pl?cat=$category->{index}&start=$_[0]" });
    }
    my $subs_html = @$subs ? '<ul class="subcategories">' . join('', map { '<li>' . category_link($_) . '</li>' } @$subs)
        . "</ul>\n" : '';
    my $banner = $category->{picture} ne '' ? picture_html($shop, $category->{picture}, '', 'banner') . "\n" : '';
    my $description = $category->{description} =~ /\S/ ? '<p class="intro">' . html_text($category->{description}) . "</p>\n" : '';
    my %values = ('category name' => html($category->{name}), description => html_text($category->{description}),
        picture => $banner, 'picture url' => html(picture_url($shop, $category->{picture})),
        products => $products_html, subcategories => $subs_html);
    my $designed = fill_template($shop->{data}, $category->{template}, \%values, ['products']);
    my $content = crumbs_html($shop, $category->{path}) . level_text_html($shop, $category->{level})
        . ($designed // '<h2>' . html($category->{name}) . "</h2>\n$banner$description$subs_html$products_html");
    return ('200 OK', $category->{name}, $content, $category->{path});
}

sub search_page {
    my ($shop, $query) = @_;
    my $text = $query->{search};
    return refused('400 Bad Request', 'Sorry, that search is too long: please use fewer words.')
        if length $text > $MAX_SEARCH;
    my $start = start_position($query->{start});
    return refused('400 Bad Request', 'Sorry, that page of the results could not be found.') unless defined $start;
    my $in = $query->{in} // 'all';
    my $fields = search_fields($shop->{settings});
    my @where = $in eq 'all'  ? ('Product Name', map { $_->{name} } @$fields)
              : $in eq 'name' ? ('Product Name')
              : map { $_->{name} } grep { "$_->{column}" eq $in } @$fields;
    return refused('400 Bad Request', 'Sorry, the shop cannot search there.') unless @where;
    my @words = search_words($text);
    my $heading = '<h2>Search</h2>';
    return ('200 OK', 'Search', $heading . notice('Please type what you are looking for in the search box.'))
        unless @words;
    return ('200 OK', 'Search', $heading . notice($PREPARING)) unless has_catalogue($shop);
    my ($total, $found) = find_products($shop, \@words, \@where, $start, $RESULTS_PAGE);
    $heading = '<h2>Search results for &ldquo;' . html($text) . "&rdquo;</h2>\n";
    return ('200 OK', 'Search', $heading . notice('Sorry, nothing in the shop matches your search.')) unless $total;
    my $link = sub { 'Catalogue.pl?search=' . url_encode($text) . '&in=' . url_encode($in) . "&start=$_[0]" };
    return ('200 OK', 'Search', $heading . '<p>' . ($total == 1 ? '1 product' : "$total products") . " found.</p>\n"
        . qq{<div class="products">\n} . join('', map { product_card($shop, $_, 1) } @$found) . "</div>\n"
        . pager_html($total, $start, $RESULTS_PAGE, $link));
}

sub terms_page {
    my ($shop) = @_;
    my @lines = map { html($_) } @{ read_terms($shop->{data}) };
    return ('200 OK', 'Terms and conditions', "<h2>Terms and conditions</h2>\n"
        . (@lines ? '<div class="terms">' . join("<br>\n", @lines) . "</div>\n"
                  : notice('Our terms and conditions will be published here soon.')));
}

sub welcome_page {
    my ($shop) = @_;
    my $tops = subcategories($shop);
    my $content = "<h2>Welcome</h2>\n" . level_text_html($shop, 1);
    $content .= @$tops && has_catalogue($shop)
        ? '<ul class="subcategories">' . join('', map { '<li>' . category_link($_) . '</li>' } @$tops) . "</ul>\n"
          . notice('Please choose a category, or search for what you are looking for.')
        : notice($PREPARING);
    return ('200 OK', '', $content);
}

sub answer {
    my $request = read_request();
    my $shop = open_shop($RealBin, $request);
    my $query = $request->{query};
    my ($status, $title, $content, $current)
        = $request->{problem}                ? refused('400 Bad Request', $request->{problem})
        : ($query->{page} // '') eq 'terms'  ? terms_page($shop)
        : defined $query->{page}             ? refused('404 Not Found', 'Sorry, that page could not be found.')
        : defined $query->{product}          ? product_page($shop, $query->{product}, $query->{type})
        : defined $query->{search}           ? search_page($shop, $query)
        : defined $query->{cat}              ? category_page($shop, $query->{cat}, $query->{start})
        :                                      welcome_page($shop);
    send_shop_page($shop, $status, $title, $content, $current);
}

eval { answer(); 1 } or send_failure_page($@);
exit 0;
