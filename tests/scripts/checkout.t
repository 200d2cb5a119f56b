#!/usr/bin/perl
# The checkout as a customer goes through it: details checked on the server,
# the summary's figures, the order placed once and only once, its mails, each
# way of paying, and the details a returning customer finds again.
use strict;
use warnings;
use utf8;
use Encode qw(decode encode);
use File::Find qw(find);
use File::Temp qw(tempdir);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use Test::More;
use TestShop qw(make_shop run_script product slurp spew stand_in_mailer customer);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

my %SHOP = (
    'qstl2.cfg' => ['currency=gbp', 'taxaction=exclude', 'shipmethod=perzone', 'company=Harbour',
                    'sales_email=sales@shop.test'],
    'data/header_data.log' => ['0::Clothing::::::::'],
    'data/shop.data' => [
        product(id => 1, path => 'Clothing|Hat', type => 'Cotton|Wool', options => '0', price => '12.00', weight => '0.5',
            number => 'H-1', tax => 'S'),
        product(id => 2, path => 'Clothing|Scarf', price => '7.25', weight => 'heavy'),
    ],
    'data/flavours.txt' => ["Size\tSmall\tLarge"],
    'data/shop.tax' => ["S=20.00\tStandard"],
    'data/area.txt' => ['Home=1,1', '*Far=2,0', 'Isle=3,1'],
    'data/zones_fixed.log' => ['1::100::3.95::7.50'],
    'data/termcondition.txt' => ['Returns within 14 days & <free>'],
);

my %DETAILS = (name => 'Zoë', email => 'zoe@home.test', phone => '01234 567890', address => "1 Quay St\nPort Town",
    postcode => 'PT1 2AB', area => 'Home', accept_terms => 1);

sub form_body {
    my (%form) = @_;
    return join '&', map { "$_=" . (encode('UTF-8', $form{$_}) =~ s/([^A-Za-z0-9._~-])/sprintf '%%%02X', ord $1/ger) }
        sort keys %form;
}

sub shop_with {
    my ($settings, %files) = @_;
    return make_shop({ %SHOP, 'qstl2.cfg' => [@$settings, @{ $SHOP{'qstl2.cfg'} }], %files });
}

# A new catalogue, which the shop sees as newer than its index.
sub rewrite_catalogue {
    my ($dir, @lines) = @_;
    spew("$dir/data/shop.data", "\r\n", @lines);
    utime time + 10, time + 10, "$dir/data/shop.data";
}

# A basket holding two Wool hats (Small) and a scarf; its customer.
sub fill_basket {
    my ($dir) = @_;
    my $cookie = customer($dir);
    run_script($dir, 'Basket.pl', { body => 'action=add&product=1&type=Wool&opt1=Small&qty=2', cookie => $cookie });
    run_script($dir, 'Basket.pl', { body => 'action=add&product=2&qty=1', cookie => $cookie });
    return $cookie;
}

sub checkout {
    my ($dir, $cookie, $request) = @_;
    my ($status, $head, $page, $errors) = run_script($dir, 'Checkout.pl', { %{ $request // {} }, cookie => $cookie });
    $page = decode('UTF-8', $page);
    my ($main) = $page =~ /<main>\n(.*)<\/main>/s;
    return { status => $status, head => $head, page => $page, main => $main // '', errors => $errors };
}

sub post_details {
    my ($dir, $cookie, %change) = @_;
    my %form = (%DETAILS, %change);
    delete @form{ grep { !defined $form{$_} } keys %form };
    return checkout($dir, $cookie, { body => form_body(step => 'details', %form) });
}

# The summary after the details; its figures as "label amount" texts.
sub summary {
    my ($dir, $cookie, %change) = @_;
    post_details($dir, $cookie, %change);
    my $answer = checkout($dir, $cookie, { query => 'step=summary' });
    $answer->{figures} = [map { s/<[^>]*>/ /gr =~ s/\s+/ /gr =~ s/\A | \z//gr } $answer->{main} =~ /<tr class="figure">(.*?)<\/tr>/g];
    ($answer->{seen}) = $answer->{main} =~ /name="seen" value="([0-9a-f]+)"/;
    return $answer;
}

sub place {
    my ($dir, $cookie, %form) = @_;
    my $summary = summary($dir, $cookie);
    my $basket = $cookie->{id};
    my $answer = checkout($dir, $cookie, { body => form_body(step => 'place', seen => $summary->{seen} // '', %form) });
    return { %$answer, basket => "$dir/data/baskets/$basket" };
}

sub order_file {
    my ($dir, $number) = @_;
    return -e "$dir/data/orders/$number.order" ? decode('UTF-8', slurp("$dir/data/orders/$number.order")) : '';
}

subtest 'every detail is checked on the server' => sub {
    my $dir = shop_with(['phoneback=yes']);
    my $cookie = fill_basket($dir);
    my @cases = (
        # field, value typed, reason shown
        ['name',         '',                            'Please enter your name.'],
        ['name',         'x' x 101,                     'Please shorten your name to 100 characters.'],
        ['email',        'zoe@home',                    'Please enter your e-mail address'],
        ['email',        "zoe\@home.test\nBcc: x\@y.test", 'Please enter your e-mail address'],
        ['phone',        '',                            'Please enter your telephone number'],
        ['phone',        '12',                          'Please enter your telephone number'],
        ['phone',        '0123 <45678>',                'Please use only digits, blanks and + ( ) - in your telephone number.'],
        ['address',      " \n ",                        'Please enter your address.'],
        ['address',      join("\n", 1 .. 9),            'Please fit your address on 8 lines.'],
        ['address',      'x' x 501,                     'Please shorten your address to 500 characters.'],
        ['address',      '1 Quay St<br>Bcc',            'Please use no angle brackets here.'],
        ['name',         'Zoë<BR>Smith',                'Please use no angle brackets here.'],
        ['postcode',     'PT1 <2AB>',                   'Please use only letters, digits, blanks and - in your postcode.'],
        ['postcode',     'x' x 21,                      'Please shorten your postcode to 20 characters.'],
        ['area',         'Mars',                        'Please choose where we should deliver your order.'],
        ['area',         '',                            'Please choose where we should deliver your order.'],
        ['accept_terms', undef,                         'Please read our terms and conditions'],
    );
    for my $case (@cases) {
        my ($field, $value, $reason) = @$case;
        my $answer = post_details($dir, $cookie, $field => $value);
        my $what = "$field '" . (substr($value // '(none)', 0, 20) =~ s/\n/\\n/gr) . "'";
        is($answer->{status}, 200, "$what: the form again");
        like($answer->{main}, qr/<p class="problem" id="\Q$field\E-problem">\Q$reason\E/, "$what: '$reason' beside it");
        my $kept = $field eq 'name' ? 'value="zoe@home.test"' : 'value="Zoë"';
        like($answer->{main}, qr/\Q$kept\E/, "$what: the other values kept");
        like($answer->{main}, qr/>1 Quay St\nPort Town<\/textarea>/, "$what: the address kept") unless $field eq 'address';
        is($answer->{errors}, '', "$what: nothing on the server log");
    }
    like(post_details($dir, $cookie, postcode => 'PT1 <2AB>')->{main}, qr/value="PT1 &lt;2AB&gt;"/, 'a value kept is escaped');
    ok(!-e "$dir/data/checkouts/" . ($cookie =~ s/basket=//r), 'nothing kept of wrong details');
    my $answer = post_details($dir, $cookie, name => '  Zoë   Smith ', phone => '+44 (0)1234 567-890');
    is($answer->{status}, 303, 'right details go on to the summary');
    like($answer->{head}, qr/^Location: Checkout\.pl\?step=summary\r$/m, 'by a redirect');
    my $kept = slurp("$dir/data/checkouts/" . ($cookie =~ s/basket=//r));
    like($kept, qr/^name=Zo%C3%AB%20Smith\r$/m, 'kept on the server, blanks tidied');
};

subtest 'areas and terms' => sub {
    my @shops = (
        # files, the areas offered, the one selected, terms shown, an area to choose
        [{},                                                        ['Home', 'Far', 'Isle'], 'Far', 1, 'Isle'],
        [{ 'data/area.txt' => ['Home=1,1', 'Far=2,0'], 'data/termcondition.txt' => undef }, ['Choose...', 'Home', 'Far'], '', 0, 'Far'],
        [{ 'data/area.txt' => undef, 'data/termcondition.txt' => [' ', ''] }, ['Choose...', 'Argentina', 50, 'West Indies'], '', 0, 'Eire'],
    );
    for my $shop (@shops) {
        my ($files, $areas, $selected, $terms, $area) = @$shop;
        my $dir = make_shop({ %SHOP, %$files });
        my $cookie = fill_basket($dir);
        my $page = checkout($dir, $cookie)->{main};
        my @offered = $page =~ /<option[^>]*>([^<]*)</g;
        my @expected = @$areas == 4 ? ($areas->[0], $areas->[1], '...', $areas->[3]) : @$areas;
        my @seen = @$areas == 4 ? (@offered[0, 1], '...', $offered[-1]) : @offered;
        is_deeply(\@seen, \@expected, "areas in file order: @$areas");
        is(scalar(@offered), 51, 'the built-in fifty and "Choose..."') if @$areas == 4;
        my ($chosen) = $page =~ /<option selected>([^<]*)</;
        is($chosen // '', $selected, "selected: '$selected'");
        is($page =~ /class="terms-box"[^>]*>Returns within 14 days &amp; &lt;free&gt;</ ? 1 : 0, $terms, "terms shown: $terms");
        my $answer = post_details($dir, $cookie, accept_terms => undef, area => $area);
        is($answer->{status}, $terms ? 200 : 303, $terms ? 'terms must be accepted' : 'no terms to accept');
    }
};

subtest 'the summary' => sub {
    my $bands = { 'data/zones_data.log' => ['1::0.9::1.00::1.00', '2::2::2.50::2.50'] };
    my @cases = (
        # settings, files, area, figures
        [[], {}, 'Home', ['Subtotal £31.25', 'Postage £3.95', 'VAT £5.41', 'Total £40.61']],
        [[], {}, 'Far', ['Subtotal £31.25', 'Postage £7.50', 'Total £38.75']],
        [['shipmethod=perzoneweight'], $bands, 'Far', ['Subtotal £31.25', 'Postage £2.50', 'Total £33.75']],
        [['shipmethod=percentage', 'shippercent=10', 'taxaction=ignore'], {}, 'Home',
            ['Subtotal £31.25', 'Postage £3.13', 'Total £34.38']],
    );
    for my $case (@cases) {
        my ($settings, $files, $area, $figures) = @$case;
        my $dir = shop_with($settings, %$files);
        my $summary = summary($dir, fill_basket($dir), area => $area);
        is_deeply($summary->{figures}, $figures, "@$settings to $area: " . join ', ', @$figures);
        like($summary->{main}, qr/<button type="submit">Place order<\/button>/, 'with "Place order"');
    }
    my $dir = make_shop(\%SHOP);
    my $cookie = fill_basket($dir);
    my $summary = summary($dir, $cookie);
    like($summary->{main}, qr/Hat<div class="choices">Type: Wool; Size: Small<\/div><\/td><td>2<\/td><td class="money">£12\.00<\/td><td class="money">£24\.00</,
        'each line priced as on the basket page');
    like($summary->{main}, qr/Zoë<br>1 Quay St<br>Port Town<br>PT1 2AB<br>Home/, 'the delivery details');
    rewrite_catalogue($dir, $SHOP{'data/shop.data'}[0]);
    $summary = checkout($dir, $cookie, { query => 'step=summary' });
    like($summary->{main}, qr/A product no longer in the shop.*No longer available: left out/s, 'a line that cannot be bought is left out');
    like($summary->{main}, qr/are left out of your order/, 'and said');
};

subtest 'a shop that cannot deliver offers no order' => sub {
    my $dir = make_shop({ %SHOP, 'data/zones_fixed.log' => ['1::100::3.95::::'] });
    my $cookie = fill_basket($dir);
    my $summary = summary($dir, $cookie, area => 'Far');
    like($summary->{main}, qr/we cannot deliver this order to Far/, 'the summary says so');
    unlike($summary->{main}, qr/Place order/, 'and offers no "Place order"');
    my $answer = checkout($dir, $cookie, { body => 'step=place&seen=' . ('0' x 64) });
    ok(!-e "$dir/data/orders/1.order", 'an order sent anyway is not placed');
    like($answer->{main}, qr/we cannot deliver/, 'the reason again');
};

subtest 'placing the order' => sub {
    my $mails = tempdir(CLEANUP => 1);
    my $dir = shop_with(['mailprogram=' . stand_in_mailer($mails, 0)]);
    my $cookie = fill_basket($dir);
    my $answer = place($dir, $cookie);
    is($answer->{status}, 200, 'placed');
    like($answer->{main}, qr/<p class="order-number">Order number: 1<\/p>/, 'the thank-you page gives its number');
    like($answer->{main}, qr/We have sent a confirmation to zoe\@home\.test/, 'and says the confirmation went');
    like($answer->{page}, qr/Basket <span class="count">\(0\)/, 'the page\'s basket is empty');
    my ($last) = $answer->{head} =~ /^Set-Cookie: (last_order=1-[0-9a-f]{32}); Path=[^;]+; Max-Age=\d+; HttpOnly; SameSite=Lax\r$/m;
    ok($last, 'the order is named in a cookie the page cannot read');
    my $order = order_file($dir, 1);
    my @names = map { /\A([^=]+)=/ } split /\r\n/, $order;
    is_deeply(\@names, [qw(order date status payment name email phone address postcode area currency subtotal postage vat
        vatmode total figure figure figure figure line line note key mail mail_customer mail_customer_problem mail_sales mail_sales_problem)],
        'the order file\'s values');
    like($order, qr/\r\nstatus=new\r\npayment=None\r\nname=Zoë\r\n.*\r\naddress=1 Quay St<br>Port Town\r\n.*\r\narea=Home\r\n/s,
        'status, payment and details');
    like($order, qr/\r\nsubtotal=31\.25\r\npostage=3\.95\r\nvat=5\.41\r\nvatmode=added\r\ntotal=40\.61\r\n/, 'the figures');
    like($order, qr/\r\nline=2\tH-1\tHat\tWool\tSize: Small\t24\.00\r\nline=1\t\tScarf\t\t\t7\.25\r\n/, 'one line per basket line');
    my ($key) = $last =~ /-([0-9a-f]{32})\z/;
    like($order, qr/\r\nkey=$key\r\nmail=sent\r\n/, 'the key of the cookie, and the mails sent');
    ok(!-e $answer->{basket}, 'the basket emptied');
    is_deeply([glob "$dir/data/checkouts/[0-9a-f]*"], [], 'the details kept for it removed');
    my $sent = decode('UTF-8', slurp("$mails/message"));
    like($sent, qr/^To: sales\@shop\.test\n.*^Order number: 1\n.*2 x Hat, Wool, Size: Small \(H-1\)   24\.00/ms, 'the sales mail');
    like($sent, qr/^To: zoe\@home\.test\n.*Thank you for your order/ms, 'the customer\'s confirmation');

    $answer = checkout($dir, $cookie, { body => 'step=place&seen=' . ('0' x 64), more_cookies => $last });
    like($answer->{main}, qr/no further order has been placed.*Order number: 1</s, 'sending it again places nothing, and says which order');
    $answer = checkout($dir, $cookie, { body => 'step=place&seen=' . ('0' x 64) });
    unlike($answer->{main}, qr/Order number/, 'without the cookie, no number');
    ok(!-e "$dir/data/orders/2.order", 'no second order');
    $answer = checkout($dir, $cookie);
    is($answer->{status}, 303, 'the emptied basket has nothing to check out');
    like($answer->{head}, qr/^Location: Basket\.pl\?checkout=empty\r$/m, 'back to the basket');
    like(decode('UTF-8', (run_script($dir, 'Basket.pl', { query => 'checkout=empty', cookie => $cookie }))[2]),
        qr/Your basket is empty, so there is nothing to check out yet\./, 'which says so');
};

subtest 'what stops an order keeps the basket' => sub {
    my $dir = shop_with(['mailprogram=' . stand_in_mailer(tempdir(CLEANUP => 1), 1)]);
    my $cookie = fill_basket($dir);
    my $summary = summary($dir, $cookie);
    rewrite_catalogue($dir, map { s/::7\.25::/::7.95::/r } @{ $SHOP{'data/shop.data'} });
    my $answer = checkout($dir, $cookie, { body => "step=place&seen=$summary->{seen}" });
    like($answer->{main}, qr/Your order has changed since you last saw it.*Scarf.*£7\.95/s, 'a new price: the summary again, with a word');
    ok(!-e "$dir/data/orders/1.order", 'and no order');
    spew("$dir/data/orders", '', 'not a folder');
    $answer = checkout($dir, $cookie, { body => "step=place&seen=" . summary($dir, $cookie)->{seen} });
    is($answer->{status}, 503, 'an order that cannot be written is refused');
    like($answer->{main}, qr/Your basket is kept/, 'with a word');
    ok(-e "$dir/data/baskets/$cookie->{id}", 'the basket is kept');
    unlink "$dir/data/orders";
    my $seen = summary($dir, $cookie)->{seen};
    my $basket = "$dir/data/baskets/$cookie->{id}";
    $answer = checkout($dir, $cookie, { body => "step=place&seen=$seen" });
    like($answer->{main}, qr/Order number: 1</, 'a mail that fails does not stop the order');
    unlike($answer->{main}, qr/sent a confirmation/, 'the customer is not told of a confirmation');
    like(order_file($dir, 1), qr/\r\nmail=not sent\r\n/, 'the order says the mail did not go');
    ok(!-e $basket, 'the basket emptied once the order is whole');
};

subtest 'ways of paying' => sub {
    my @methods = (
        # settings, status, the thank-you page says, order's note, files
        [['paymethod=None', 'phoneback=yes', 'snailorder=yes', 'invoice=yes'], 'new',
            qr/We will telephone you for your card details\. You can print an order form .* We will send you an invoice\..*Print your order form/s,
            'Offered to the customer: telephone for the card details; order form by post with a cheque; invoice'],
        [['paymethod=Unknown', 'invoice=yes'], 'new', qr/We will send you an invoice\./, 'Offered to the customer: invoice'],
        [['paymethod=None'], 'new', qr/We will contact you about paying\./, 'No way of paying was offered: contact the customer about paying.'],
        [['paymethod=Credit Card', 'snailorder=yes'], 'new', qr/We will telephone you for your card details\./,
            'Offered to the customer: telephone for the card details', { 'data/merchant-key.asc' => ['not a key'] }],
        [['paymethod=QstlPay', 'payurl=javascript:alert(1)'], 'awaiting payment', qr/Online payment is not set up on this shop yet/,
            'Online payment is not set up: contact the customer about paying.'],
        [['paymethod=NetBanx', 'payurl=https://pay.example:8443/cgi-bin/authorise?x=1', 'PPID=ACC-1', 'currency=eur'],
            'awaiting payment', qr/<form class="pay" method="post" action="https:\/\/pay\.example:8443\/cgi-bin\/authorise\?x=1" data-autosubmit>/, ''],
    );
    for my $method (@methods) {
        my ($settings, $status, $says, $note, $files) = @$method;
        my $dir = shop_with($settings, %{ $files // {} });
        my $answer = place($dir, fill_basket($dir));
        like($answer->{main}, $says, "@$settings: the thank-you page");
        my $order = order_file($dir, 1);
        like($order, qr/\r\nstatus=\Q$status\E\r\n/, "@$settings: status '$status'");
        like($order, qr/\r\nnote=\Q$note\E\r\n/, "@$settings: the note");
        unlike($answer->{main}, qr/<form class="pay"/, 'no payment form') unless $status eq 'awaiting payment' && $note eq '';
    }

    local @ENV{qw(HTTPS SERVER_PORT)} = ('on', '8443');
    my $dir = shop_with(['paymethod=WorldPay', 'payurl=https://pay.example/purchase', 'PPID=ACC-1', 'AUTH=A', 'currency=eur']);
    my $answer = place($dir, fill_basket($dir));
    my %fields = $answer->{main} =~ /<input type="hidden" name="([^"]+)" value="([^"]*)">/g;
    my ($key) = order_file($dir, 1) =~ /\r\nkey=([0-9a-f]{32})\r\n/;
    is_deeply(\%fields, { PPID => 'ACC-1', AUTH => 'A', order => 1, amount => '40.61', currency => 'EUR',
        return_url => "https://localhost:8443/cgi-bin/qstldb/demo-cgi/Checkout.pl?paid=1&amp;key=$key" }, 'the payment service\'s fields');
    like($answer->{main}, qr/<button type="submit">Continue to payment<\/button>/, 'a button for browsers without script');
    like($answer->{head}, qr/form-action 'self' https:\/\/pay\.example;/, 'the page may send its form there');
    like($answer->{page}, qr/form\[data-autosubmit\]/, 'the page\'s own script sends it');

    # Keys one character away from the right one, at either end.
    my $other = sub { my $c = substr($key, $_[0], 1); my $k = $key; substr($k, $_[0], 1) = $c eq 'a' ? 'b' : 'a'; $k };
    my @returns = (
        # query, status, the page says
        ["paid=1&key=$key",          200, qr/Order number: 1<.*as soon as our payment service tells us/s],
        ['paid=1&key=' . ('0' x 32), 404, qr/that order could not be found/],
        ['paid=1&key=' . $other->(31), 404, qr/that order could not be found/],
        ['paid=1&key=' . $other->(0), 404, qr/that order could not be found/],
        ['paid=1&key=' . substr($key, 0, 31), 404, qr/that order could not be found/],
        ["paid=1&key=${key}0", 404, qr/that order could not be found/],
        ['print=1&key=' . $other->(31), 404, qr/that order could not be found/],
        ["paid=2&key=$key",          404, qr/that order could not be found/],
        ["print=1&key=$key",         200, qr/post it with your cheque.*Order number: 1\n.*1 x Scarf   7\.25.*data-print/s],
        ['print=1&key=',             404, qr/that order could not be found/],
        ["print=../orders/1&key=$key", 404, qr/that order could not be found/],
    );
    for my $return (@returns) {
        my ($query, $code, $says) = @$return;
        my $page = checkout($dir, undef, { query => $query });
        is($page->{status}, $code, "$query: $code");
        like($page->{main}, $says, "$query: the page");
        unlike($page->{main}, qr/\bpaid\b/i, "$query: never says the order is paid");
    }
};

subtest 'card details go only encrypted, in the sales mail' => sub {
    plan skip_all => 'gpg is not installed' unless -x '/usr/bin/gpg' || grep { -x "$_/gpg" } split /:/, $ENV{PATH};
    my $keys = tempdir(CLEANUP => 1);
    local $ENV{GNUPGHOME} = $keys;
    system('gpg', '--batch', '--quiet', '--passphrase', '', '--quick-gen-key', 'Harbour <sales@shop.test>', 'default', 'default', 'never') == 0
        or return fail('gpg makes a throwaway key');
    my $public = `gpg --batch --armor --export sales\@shop.test`;
    local $ENV{HTTPS} = 'on';
    my $mails = tempdir(CLEANUP => 1);
    my $dir = shop_with(['paymethod=Credit Card', 'mailprogram=' . stand_in_mailer($mails, 0)], 'data/merchant-key.asc' => [split /\n/, $public]);
    my $cookie = fill_basket($dir);
    my $summary = summary($dir, $cookie);
    like($summary->{main}, qr/name="card_number".*name="card_expiry".*name="card_name"/s, 'the summary asks for the card');
    my @refused = (
        # card number, expiry, name, field, reason
        ['4111 1111 1111 1112', '12/39', 'Z SMITH', 'card_number', 'one of its digits seems wrong'],
        ['4111-1111-1111-1111', '12/39', 'Z SMITH', 'card_number', 'the long number on the front'],
        ['4111 1111 1111 1111', '01/20', 'Z SMITH', 'card_expiry', 'This card has expired'],
        ['4111 1111 1111 1111', '13/39', 'Z SMITH', 'card_expiry', 'MM/YY'],
        ['4111 1111 1111 1111', '12/39', '',        'card_name',   'the name as it is on your card'],
    );
    for my $case (@refused) {
        my ($number, $expiry, $name, $field, $reason) = @$case;
        my $answer = checkout($dir, $cookie, { body => form_body(step => 'place', seen => $summary->{seen},
            card_number => $number, card_expiry => $expiry, card_name => $name) });
        like($answer->{main}, qr/id="$field-problem">[^<]*\Q$reason\E/, "'$number' '$expiry' '$name': $reason");
        unlike($answer->{main}, qr/\Q$number\E/, 'the number is not written back');
    }
    ok(!-e "$dir/data/orders/1.order", 'no order for a wrong card');
    my $answer = checkout($dir, $cookie, { body => form_body(step => 'place', seen => $summary->{seen},
        card_number => '4111 1111 1111 1111', card_expiry => '12/39', card_name => 'Z SMITH') });
    like($answer->{main}, qr/Order number: 1<.*Your card details have been sent to us encrypted/s, 'placed');
    like(order_file($dir, 1), qr/\r\npayment=Credit Card\r\n.*\r\nnote=card details sent encrypted by mail\r\n/s, 'the order notes it');
    my ($sales) = grep { /^To: sales\@shop\.test$/m } split /(?=^From: )/m, slurp("$mails/message");
    my ($block) = ($sales // '') =~ /(-----BEGIN PGP MESSAGE-----.*-----END PGP MESSAGE-----)/s;
    ok($block, 'the sales mail holds the encrypted details');
    my $customer = join '', grep { !/^To: sales/m } split /(?=^From: )/m, slurp("$mails/message");
    unlike($customer, qr/PGP MESSAGE|4111/, 'the customer\'s mail holds none');
    spew("$mails/block", "\n", $block);
    like(`gpg --batch --quiet --decrypt '$mails/block' 2>/dev/null`, qr/Card number: 4111111111111111\nExpiry date: 12\/39\n/,
        'which the merchant\'s key opens');
    my @clear;
    find({ no_chdir => 1, wanted => sub { push @clear, $_ if -f $_ && slurp($_) =~ /4111 ?1111/ } }, "$dir/data", $mails);
    is_deeply(\@clear, [], 'the card number is in no file');
    ok(-d "$dir/data/gnupg" && (stat "$dir/data/gnupg")[2] % 512 == 0700, 'gpg keeps its files in the data folder, closed to others');
    system 'gpgconf', '--kill', 'gpg-agent';
};

subtest 'returning customers' => sub {
    my @settings = (
        # save_user_details, details_expiry_months, remembered, records kept after the sweep (of 1, 5 and 7 months)
        ['ON',  '6',     1, [1, 5]],
        ['ON',  'NEVER', 1, [1, 5, 7]],
        ['ON',  'soon',  1, [1, 5]],
        ['ON',  '3',     1, [1]],
        [' On ', '6',    1, [1, 5]],     # setting words are read in any capitals
        ['OFF', '6',     0, [1, 5]],
    );
    for my $setting (@settings) {
        my ($save, $months, $remembers, $left) = @$setting;
        my $what = "save_user_details=$save, details_expiry_months=$months";
        my $dir = shop_with(["save_user_details=$save", "details_expiry_months=$months"]);
        my $cookie = fill_basket($dir);
        is(checkout($dir, $cookie)->{main} =~ /name="remember"/ ? 1 : 0, $remembers, "$what: remember-me offered: $remembers");
        my $answer = post_details($dir, $cookie, remember => 1);
        my ($customer) = $answer->{head} =~ /^Set-Cookie: (customer=[0-9a-f]{32}); Path=[^;]+; Max-Age=[1-9]\d*; HttpOnly; SameSite=Lax\r$/m;
        is($customer ? 1 : 0, $remembers, "$what: a record's cookie: $remembers");
        my $next = fill_basket($dir);
        if ($remembers) {
            $next->{also} = $customer;
            my $form = checkout($dir, $next)->{main};
            like($form, qr/value="Zoë"/, "$what: the details filled in again");
            like($form, qr/name="remember" value="1" checked/, "$what: remember-me still ticked");
            $answer = post_details($dir, $next);
            like($answer->{head}, qr/^Set-Cookie: customer=; Path=[^;]+; Max-Age=0;/m, "$what: unticked, the cookie goes");
            is_deeply([glob "$dir/data/customers/[0-9a-f]*"], [], "$what: and the record");
        } else {
            ok(!-e "$dir/data/customers", "$what: no record written");
            mkdir "$dir/data/customers";
            spew("$dir/data/customers/" . ('a' x 32), "\r\n", 'name=Zo%C3%AB');
            $next->{also} = 'customer=' . ('a' x 32);
            unlike(checkout($dir, $next)->{main}, qr/value="Zoë"/, "$what: nor one read");
        }
        for my $age (1, 5, 7) {
            my $record = "$dir/data/customers/" . sprintf('%032d', $age);
            spew($record, "\r\n", 'name=Old');
            utime time - $age * 31 * 86400, time - $age * 31 * 86400, $record;
        }
        spew("$dir/data/customers/last-sweep", '', '');
        utime time - 2 * 86400, time - 2 * 86400, "$dir/data/customers/last-sweep";
        checkout($dir, $next);
        is_deeply([map { /(\d)\z/ } glob "$dir/data/customers/[0-9]*"], $left, "$what: unused records kept: @$left");
    }
};

done_testing();
