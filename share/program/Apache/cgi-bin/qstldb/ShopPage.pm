package ShopPage;
# The frame of every page of the shop: its name, the search box, the basket,
# the category tree as the customer moves through it, and the footer.
use strict;
use warnings;
use Exporter qw(import);
use ShopCategories qw(subcategories);
use ShopConfig qw(search_fields);
use ShopContext qw(basket_lines);
use ShopRandom qw(random_hex);
use ShopRequest qw(send_page);
use ShopText qw(html html_text url_encode);

our @EXPORT_OK = qw(send_shop_page send_failure_page notice picture_html picture_url category_link
    level_text_html pager_html);

sub picture_url {
    my ($shop, $picture) = @_;
    (my $base = $shop->{settings}{imagepath} // '') =~ s{/+\z}{};
    return "$base/" . url_encode($picture, '/');
}

# A picture from the shop's images folder; the shipped "no picture" image
# stands in for one that is not named or not there.
sub picture_html {
    my ($shop, $picture, $alt, $class) = @_;
    my $missing = picture_url($shop, 'nopicture.gif');
    my $source = ($picture // '') eq '' ? $missing : picture_url($shop, $picture);
    return '<img class="' . html($class) . '" src="' . html($source) . '" alt="' . html($alt)
        . '" loading="lazy" data-fallback="' . html($missing) . '">';
}

sub category_link {
    my ($category, $attributes) = @_;
    return '<a href="Catalogue.pl?cat=' . url_encode($category->{index}) . '"' . ($attributes // '') . '>'
        . html($category->{name}) . '</a>';
}

sub notice { return '<p class="notice">' . html($_[0]) . "</p>\n" }

# levtext: a text for each level of the catalogue, joined by TAB; level 1
# is the welcome page, level 2 a top-level category, and so on.
sub level_text_html {
    my ($shop, $level) = @_;
    my @texts = split /\t/, $shop->{settings}{levtext} // '', -1;
    my $text = $texts[ $level - 1 ] // '';
    return $text =~ /\S/ ? '<p class="level">' . html_text($text) . "</p>\n" : '';
}

# "Previous" and "Next" links for a list shown $size at a time; $link makes
# the address of the list from a start position.
sub pager_html {
    my ($total, $start, $size, $link) = @_;
    return '' if $total <= $size;
    my $last = $start + $size > $total ? $total : $start + $size;
    my $html = '<nav class="pager">';
    $html .= '<a href="' . html($link->($start - $size < 0 ? 0 : $start - $size)) . '">&laquo; Previous</a> '
        if $start > 0;
    $html .= '<span>' . html($start + 1) . '&ndash;' . html($last) . ' of ' . html($total) . '</span>';
    $html .= ' <a href="' . html($link->($start + $size)) . '">Next &raquo;</a>' if $last < $total;
    return "$html</nav>\n";
}

# The top level, and below each category on the way to the current one its
# sub-categories: the customer sees where they are and where they can go.
sub navigation_list {
    my ($shop, $parent, $current) = @_;
    my $items = subcategories($shop, $parent);
    return '' unless @$items;
    my $list = '<ul>';
    for my $category (@$items) {
        my $here = defined $current && $category->{path} eq $current;
        my $open = defined $current && ($here || index($current, "$category->{path}|") == 0);
        $list .= '<li>' . category_link($category, $here ? ' class="current"' : '');
        $list .= navigation_list($shop, $category, $current) if $open;
        $list .= "</li>\n";
    }
    return "$list</ul>";
}

sub search_form {
    my ($shop) = @_;
    my $query = $shop->{request}{query};
    my $in = $query->{in} // 'all';
    my @choices = (['all', 'all fields'], ['name', 'Product Name'],
        map { [$_->{column}, $_->{label}] } @{ search_fields($shop->{settings}) });
    my $select = join '', map {
        '<option value="' . html($_->[0]) . '"' . ($_->[0] eq $in ? ' selected' : '') . '>' . html($_->[1]) . '</option>'
    } @choices;
    return '<form class="search" method="get" action="Catalogue.pl" role="search">'
        . '<input type="search" name="search" maxlength="100" placeholder="Search the shop" aria-label="Search for"'
        . ' value="' . html($query->{search} // '') . '">'
        . qq{<select name="in" aria-label="Search in">$select</select>}
        . '<button type="submit">Search</button></form>';
}

sub basket_link {
    my ($shop) = @_;
    my $items = 0;
    $items += $_->{quantity} for @{ basket_lines($shop) };
    return '<a class="basket-link" href="Basket.pl">Basket <span class="count">(' . html($items) . ')</span></a>';
}

# The pages' one script: a picture that cannot be loaded gives way to its
# fallback (none: it goes), a list marked to reload does so when changed, a
# form marked to send itself is sent as soon as the page is read, and a
# button marked to print prints the page.
my $BEHAVIOUR = <<'JS';
document.addEventListener('error', function (event) {
  var picture = event.target;
  if (picture.tagName !== 'IMG' || picture.dataset.fallback === undefined) return;
  if (picture.dataset.fallback === '' || picture.src.endsWith(picture.dataset.fallback)) picture.remove();
  else picture.src = picture.dataset.fallback;
}, true);
document.addEventListener('change', function (event) {
  var list = event.target;
  if (list.dataset && list.dataset.reload) location.href = list.dataset.reload + encodeURIComponent(list.value);
});
document.addEventListener('DOMContentLoaded', function () {
  var form = document.querySelector('form[data-autosubmit]');
  if (form) form.submit();
});
document.addEventListener('click', function (event) {
  if (event.target.closest && event.target.closest('[data-print]')) window.print();
});
JS

# Sends the whole page around $content, with the headers the request added
# to the shop's; $current is the path of the category the customer is in,
# if any. Only the page's own script runs, and forms go only to the shop
# (and to @form_targets).
sub send_shop_page {
    my ($shop, $status, $title, $content, $current, @form_targets) = @_;
    my $nonce = random_hex(16);
    my $policy = "default-src 'none'; img-src * data:; style-src 'unsafe-inline'; script-src 'nonce-$nonce'; "
        . "form-action 'self'" . join('', map { " $_" } @form_targets) . "; base-uri 'none'; frame-ancestors 'none'";
    send_page($status, shop_page($shop, $title, $content, $current, $nonce), "Content-Security-Policy: $policy",
        @{ $shop->{headers} // [] });
}

# A warning names only where it was raised: its text may quote what a
# customer typed, and that is not for the server's error log.
$SIG{__WARN__} = sub {
    my ($file, $line) = $_[0] =~ / at (\S+) line ([0-9]+)/;
    print STDERR 'qstldb: a warning' . (defined $line ? " at $file line $line" : '') . "\n";
};

# The page of last resort, when the shop's own page cannot be made; the
# reason goes to the server's error log.
sub send_failure_page {
    my ($error) = @_;
    print STDERR "qstldb: $error";
    send_page('503 Service Unavailable', '<!DOCTYPE html><html lang="en"><head><meta charset="UTF-8"><title>Sorry</title>'
        . '</head><body><p>Sorry, the shop cannot be shown just now. Please try again in a few minutes.</p></body></html>');
}

sub shop_page {
    my ($shop, $title, $content, $current, $nonce) = @_;
    my $company = ($shop->{settings}{company} // '') =~ /\S/ ? $shop->{settings}{company} : 'Our shop';
    my $heading = $title eq '' ? $company : "$title - $company";
    return qq{<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="UTF-8">\n}
        . qq{<meta name="viewport" content="width=device-width, initial-scale=1">\n}
        . '<meta name="description" content="' . html($title eq '' ? "Welcome to $company" : "$company: $title") . "\">\n"
        . qq{<link rel="icon" href="data:,">\n}
        . '<title>' . html($heading) . "</title>\n<style>\n" . style() . "</style>\n"
        . qq{<script nonce="$nonce">\n$BEHAVIOUR</script>\n</head>\n<body>\n}
        . '<header><a class="brand" href="Catalogue.pl"><img src="' . html(picture_url($shop, 'logo.gif'))
        . '" alt="" width="64" height="48" data-fallback="">'
        . '<span>' . html($company) . '</span></a>' . search_form($shop) . basket_link($shop) . "</header>\n"
        . '<div class="layout">' . "\n<nav class=\"tree\" aria-label=\"Categories\">"
        . navigation_list($shop, undef, $current) . "</nav>\n<main>\n$content</main>\n</div>\n"
        . qq{<footer><a href="Catalogue.pl?page=terms">Terms and conditions</a></footer>\n</body>\n</html>\n};
}

sub style {
    return <<'CSS';
body { margin: 0; font: 15px/1.5 "Segoe UI", Helvetica, Arial, sans-serif; color: #222; background: #f4f5f7; }
header { display: flex; flex-wrap: wrap; align-items: center; gap: 14px 24px; padding: 12px 24px; background: #1f3b5c; color: #fff; }
header a { color: inherit; text-decoration: none; }
.brand { display: flex; align-items: center; gap: 12px; font-size: 24px; font-weight: 600; margin-right: auto; }
.search { display: flex; gap: 6px; }
.search input { width: 220px; }
.search input, .search select, .search button { font: inherit; padding: 5px 8px; border-radius: 4px; border: 1px solid #b8c4d2; }
.search button, .order button, .basket-actions button { background: #e8a33d; color: #1b1b1b; border: 0; font-weight: 600; cursor: pointer; }
.basket-link { padding: 6px 12px; border: 1px solid #fff6; border-radius: 4px; }
.layout { display: flex; gap: 24px; max-width: 1150px; margin: 24px auto; padding: 0 16px; align-items: flex-start; }
nav.tree { flex: 0 0 220px; background: #fff; border-radius: 8px; padding: 12px 0; box-shadow: 0 1px 3px rgba(0,0,0,.12); }
nav.tree ul { list-style: none; margin: 0; padding: 0; }
nav.tree ul ul { padding-left: 14px; }
nav.tree a { display: block; padding: 5px 16px; color: #1f3b5c; text-decoration: none; }
nav.tree a:hover { background: #eef3f9; }
nav.tree a.current { font-weight: 600; background: #dde8f5; }
main { flex: 1; min-width: 0; }
main h2 { margin-top: 0; color: #1f3b5c; }
main a { color: #1f3b5c; }
.crumbs { font-size: 13px; color: #666; margin-bottom: 6px; }
.subcategories { display: flex; flex-wrap: wrap; gap: 8px; margin: 0 0 18px; padding: 0; list-style: none; }
.subcategories a { display: block; padding: 6px 12px; background: #fff; border-radius: 16px; box-shadow: 0 1px 2px rgba(0,0,0,.12); text-decoration: none; }
.banner { max-width: 100%; border-radius: 8px; }
.products { display: grid; grid-template-columns: repeat(auto-fill, minmax(210px, 1fr)); gap: 16px; }
.product { display: flex; flex-direction: column; background: #fff; border-radius: 8px; overflow: hidden; box-shadow: 0 1px 3px rgba(0,0,0,.12); }
.product img { width: 100%; height: 160px; object-fit: contain; background: #f2f3f5; }
.details { padding: 10px 14px; flex: 1; }
.details h3 { margin: 0 0 4px; font-size: 16px; }
.details h3 a { text-decoration: none; }
.details p { margin: 0 0 4px; }
.number, .path { color: #666; font-size: 13px; }
.price { margin: 0; padding: 10px 14px; font-size: 18px; font-weight: 600; color: #1a7f37; border-top: 1px solid #eee; }
.unit, .vat { font-size: 13px; font-weight: normal; color: #666; }
.on-request { color: #8a5a00; }
.product-page { display: flex; flex-wrap: wrap; gap: 24px; background: #fff; border-radius: 8px; padding: 20px; box-shadow: 0 1px 3px rgba(0,0,0,.12); }
.product-page .picture { flex: 0 1 320px; width: 320px; height: 320px; max-width: 100%; object-fit: contain; background: #f2f3f5; border-radius: 6px; }
.product-page .info { flex: 1 1 300px; }
.product-page .price { border: 0; padding: 0 0 10px; font-size: 22px; }
.facts { display: grid; grid-template-columns: max-content 1fr; gap: 2px 14px; color: #444; }
.facts dt { color: #666; }
.facts dd { margin: 0; }
.order { margin-top: 16px; display: grid; gap: 12px; max-width: 360px; }
.order fieldset { border: 1px solid #dde3ea; border-radius: 6px; padding: 8px 12px; }
.order legend { font-weight: 600; padding: 0 4px; }
.order label.choice { display: inline-block; margin-right: 14px; }
.order select, .order input[type=number], .basket input { font: inherit; padding: 4px 6px; }
.order button, .basket-actions button { font: inherit; padding: 8px 18px; border-radius: 4px; }
.problem { color: #b00020; font-weight: 600; }
.hidden-label { position: absolute; width: 1px; height: 1px; overflow: hidden; clip: rect(0 0 0 0); white-space: nowrap; }
table.basket { width: 100%; border-collapse: collapse; background: #fff; border-radius: 8px; overflow: hidden; box-shadow: 0 1px 3px rgba(0,0,0,.12); }
table.basket th, table.basket td { padding: 10px 12px; text-align: left; border-bottom: 1px solid #eee; vertical-align: top; }
table.basket td.money, table.basket th.money { text-align: right; white-space: nowrap; }
table.basket input { width: 4em; }
table.basket .choices { color: #666; font-size: 13px; }
table.basket tr.unavailable { color: #888; }
table.basket tfoot td { font-weight: 600; font-size: 17px; }
.basket-actions { display: flex; gap: 10px; justify-content: flex-end; margin-top: 14px; align-items: center; }
.basket-actions a { margin-right: auto; }
button.remove { background: none; border: 0; color: #b00020; cursor: pointer; font: inherit; text-decoration: underline; }
.pager { margin: 16px 0; display: flex; gap: 14px; align-items: center; }
.level { font-size: 16px; color: #1f3b5c; }
.notice { padding: 14px 18px; background: #fff; border-left: 4px solid #1f3b5c; border-radius: 4px; }
.terms { background: #fff; padding: 16px 20px; border-radius: 8px; }
.checkout { display: grid; gap: 12px; max-width: 560px; background: #fff; border-radius: 8px; padding: 20px; box-shadow: 0 1px 3px rgba(0,0,0,.12); }
.checkout .field { display: grid; gap: 4px; }
.checkout label { font-weight: 600; }
.checkout label.choice { font-weight: normal; }
.checkout input[type=text], .checkout input[type=email], .checkout input[type=tel], .checkout textarea, .checkout select { font: inherit; padding: 6px 8px; border: 1px solid #b8c4d2; border-radius: 4px; }
.checkout [aria-invalid=true] { border-color: #b00020; }
.checkout .problem { margin: 0; }
.checkout fieldset { border: 1px solid #dde3ea; border-radius: 6px; display: grid; gap: 10px; }
.terms-box { max-height: 12em; overflow-y: auto; padding: 10px 12px; border: 1px solid #dde3ea; border-radius: 4px; font-size: 13px; background: #fafbfc; }
.checkout-actions { display: flex; gap: 10px; align-items: center; justify-content: flex-end; }
.checkout-actions a { margin-right: auto; }
.checkout button, .pay button, button.print { font: inherit; padding: 8px 18px; border-radius: 4px; background: #e8a33d; color: #1b1b1b; border: 0; font-weight: 600; cursor: pointer; }
.delivery, .paying { background: #fff; border-radius: 8px; padding: 12px 20px; margin: 14px 0; box-shadow: 0 1px 3px rgba(0,0,0,.12); }
.order-number { font-size: 20px; font-weight: 600; color: #1f3b5c; }
@media print { header, nav.tree, footer, button.print { display: none; } .layout { margin: 0; } }
.admin-bar { display: flex; flex-wrap: wrap; gap: 10px 18px; align-items: center; margin-bottom: 16px; }
.admin-bar form { margin-left: auto; }
.admin-actions { display: flex; flex-wrap: wrap; gap: 8px; margin: 12px 0; }
.admin-bar button, .admin-actions button, .sign-in button { font: inherit; padding: 6px 14px; border: 0; border-radius: 4px; background: #1f3b5c; color: #fff; cursor: pointer; }
.sign-in { display: grid; gap: 12px; max-width: 320px; }
.sign-in input { display: block; width: 100%; box-sizing: border-box; font: inherit; padding: 5px 8px; }
table.admin { width: 100%; border-collapse: collapse; background: #fff; box-shadow: 0 1px 3px rgba(0,0,0,.12); margin-bottom: 16px; }
table.admin th, table.admin td { padding: 6px 10px; text-align: left; border-bottom: 1px solid #eee; vertical-align: top; }
table.admin .money { text-align: right; white-space: nowrap; }
pre.order-text { background: #fff; padding: 12px 16px; border-radius: 8px; overflow-x: auto; }
footer { text-align: center; padding: 16px; color: #666; font-size: 13px; }
footer a { color: #1f3b5c; }
@media (max-width: 720px) { .layout { flex-direction: column; } nav.tree { flex: none; width: 100%; } .search input { width: 140px; } }
CSS
}

1;
