#!/usr/bin/perl
# Attacks on the shop from the open internet, grouped by kind. Each passes
# only when the attack fails: a forged form changes nothing, a planted or
# old basket leads to nothing of the customer's, digits of other scripts
# are refused without a word in the server's log, and limits hold.
use strict;
use warnings;
use utf8;
use Encode qw(decode encode);
use File::Temp qw(tempdir);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use TestShop qw($SCRIPTS make_shop run_script product slurp spew stand_in_mailer customer);
use lib $SCRIPTS;
use Test::More;
use ShopLimits qw(note_event);
use ShopOrders qw(place_order read_order list_orders order_value line_value);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

my %SHOP = (
    'qstl2.cfg' => ['currency=gbp', 'taxaction=ignore', 'shipmethod=perzone', 'company=Harbour', 'sales_email=sales@shop.test',
                    'phoneback=yes'],
    'data/header_data.log' => ['0::Clothing::::::::'],
    'data/shop.data' => [product(id => 2, path => 'Clothing|Scarf', price => '7.25')],
    'data/area.txt' => ['Home=1,1'],
    'data/zones_fixed.log' => ['1::100::3.95::7.50'],
);
my %DETAILS = (name => 'Zoë', email => 'zoe@home.test', phone => '01234 567890', address => '1 Quay St', postcode => 'PT1 2AB',
    area => 'Home');

sub form_body {
    my (%form) = @_;
    return join '&', map { "$_=" . (encode('UTF-8', $form{$_}) =~ s/([^A-Za-z0-9._~-])/sprintf '%%%02X', ord $1/ger) }
        sort keys %form;
}

sub shop {
    my (@settings) = @_;
    my $mails = tempdir(CLEANUP => 1);
    my $dir = make_shop({ %SHOP, 'qstl2.cfg' => [@{ $SHOP{'qstl2.cfg'} }, 'mailprogram=' . stand_in_mailer($mails, 0), @settings] });
    return ($dir, $mails);
}

sub send_form {
    my ($dir, $script, $cookie, %form) = @_;
    my ($status, $head, $page, $errors) = run_script($dir, $script, { body => form_body(%form), cookie => $cookie });
    return { status => $status, head => $head, page => decode('UTF-8', $page), errors => $errors };
}

sub filled {
    my ($dir) = @_;
    my $customer = customer($dir);
    send_form($dir, 'Basket.pl', $customer, action => 'add', product => 2, qty => 2);
    return $customer;
}

sub seen {
    my ($dir, $customer) = @_;
    my (undef, undef, $page) = run_script($dir, 'Checkout.pl', { query => 'step=summary', cookie => $customer });
    return $page =~ /name="seen" value="([0-9a-f]{64})"/ ? $1 : '';
}

# A customer with the details given, and the order placed when $place.
sub ordered {
    my ($dir, %details) = @_;
    my $customer = filled($dir);
    send_form($dir, 'Checkout.pl', $customer, step => 'details', %DETAILS, %details);
    return send_form($dir, 'Checkout.pl', $customer, step => 'place', seen => seen($dir, $customer));
}

sub basket_file { return "$_[0]/data/baskets/$_[1]{id}" }

subtest 'forged forms change nothing' => sub {
    my ($dir) = shop();
    my $customer = filled($dir);
    my $other = customer($dir);
    my @forgeries = (
        # what the attacker's page makes the browser send, and how
        ['another site: no cookie comes with it', undef, ''],
        ['the same host: the cookie, no token', $customer, 'forged'],
        ["the same host: another basket's token", $customer, $other->token],
        ['the same host: the "seen" value as token', $customer, seen($dir, $customer)],
        ['the same host: a token of nonsense', $customer, 'x' x 64],
    );
    my @forms = (
        ['Basket.pl',   action => 'add', product => 2, qty => 50],
        ['Basket.pl',   action => 'update', qty_1 => 0],
        ['Checkout.pl', step => 'details', %DETAILS, email => 'thief@else.test', remember => 1],
        ['Checkout.pl', step => 'place', seen => seen($dir, $customer)],
    );
    send_form($dir, 'Checkout.pl', $customer, step => 'details', %DETAILS);
    my $basket = slurp(basket_file($dir, $customer));
    for my $forgery (@forgeries) {
        my ($how, $cookie, $token) = @$forgery;
        for my $form (@forms) {
            my ($script, @fields) = @$form;
            my %fields = @fields;
            my %request = (body => form_body(%fields, ($token ne 'forged' ? (token => $token) : ())),
                defined $cookie ? (cookie => "$cookie") : ());
            my ($status, $head, $page, $errors) = run_script($dir, $script, \%request);
            my $what = "$how: $script $fields[0]=$fields[1]";
            ok($status == 403 && decode('UTF-8', $page) =~ /did not come from your basket/, "$what: refused, with a word");
            ok(decode('UTF-8', $page) =~ /<main>.*<a href="(?:Checkout|Basket|Catalogue)\.pl">/s, "$what: the customer can go on");
            unlike($head, qr/^(?:Location|Set-Cookie: (?:basket|customer)=)/m, "$what: nothing changed hands");
            is($errors, '', "$what: nothing on the server log");
        }
    }
    is(slurp(basket_file($dir, $customer)), $basket, 'the basket is as it was');
    like(slurp("$dir/data/checkouts/$customer->{id}"), qr/email=zoe%40home\.test/, 'and the details');
    ok(!-e "$dir/data/orders", 'no order placed');
};

subtest 'a planted or old basket leads to nothing of the customer' => sub {
    my ($dir) = shop();
    my $planted = customer($dir);
    my $victim = bless { %$planted }, ref $planted;
    send_form($dir, 'Basket.pl', $victim, action => 'add', product => 2, qty => 1);
    my $answer = send_form($dir, 'Checkout.pl', $victim, step => 'details', %DETAILS);
    isnt($victim->{id}, $planted->{id}, 'the details given, the basket has a new identifier');
    ok(!-e basket_file($dir, $planted) && !-e "$dir/data/checkouts/$planted->{id}", 'nothing left under the old one');
    my (undef, $head, $page) = run_script($dir, 'Checkout.pl', { query => 'step=summary', cookie => "$planted" });
    unlike(decode('UTF-8', $page) . $head, qr/Zoë|Quay St|home\.test/, 'the old identifier shows none of the details');
    my $old = $victim->{id};
    send_form($dir, 'Checkout.pl', $victim, step => 'place', seen => seen($dir, $victim));
    ok(-e "$dir/data/orders/1.order", 'the order is placed');
    isnt($victim->{id}, $old, 'and the basket has a new identifier again');
    (undef, $head, $page) = run_script($dir, 'Checkout.pl', { body => 'step=place', cookie => "basket=$old" });
    unlike(decode('UTF-8', $page), qr/Order number/, 'the identifier before it shows no order');
};

subtest 'digits of other scripts are refused, and no customer value reaches the log' => sub {
    my ($dir) = shop();
    my $card_shop = (shop('paymethod=Credit Card'))[0];
    my @digits = (['Arabic-Indic', "\x{661}\x{662}"], ['full-width', "\x{FF11}\x{FF12}"]);
    for my $kind (@digits) {
        my ($script_name, $twelve) = @$kind;
        my $customer = filled($dir);
        my @tries = (
            ['Basket.pl', 'quantity to add', sub { send_form($dir, 'Basket.pl', $customer, action => 'add', product => 2, qty => $twelve) },
                qr/Please enter a quantity from 1 to 999/],
            ['Basket.pl', 'quantity changed', sub { send_form($dir, 'Basket.pl', $customer, action => 'update', qty_1 => $twelve) }, undef],
            ['Basket.pl', 'line removed', sub { send_form($dir, 'Basket.pl', $customer, action => 'update', remove => "\x{661}") }, undef],
            ['Checkout.pl', 'telephone', sub { send_form($dir, 'Checkout.pl', $customer, step => 'details', %DETAILS,
                phone => "01234 $twelve$twelve$twelve") }, qr/Please use only digits, blanks and \+ \( \) - in your telephone number/],
        );
        for my $try (@tries) {
            my ($script, $field, $send, $says) = @$try;
            my $answer = $send->();
            like($answer->{page}, $says, "$script_name digits, $field: refused with a word") if $says;
            is($answer->{errors}, '', "$script_name digits, $field: nothing on the server log");
        }
        like(slurp(basket_file($dir, $customer)), qr/\A2\t2\t/, "$script_name digits: the basket still holds 2");
        for my $query ("cat=$twelve", "product=$twelve", "cat=0&start=$twelve", "search=scarf&start=$twelve") {
            my ($status, undef, undef, $errors) = run_script($dir, 'Catalogue.pl', { query => form_body(split /[=&]/, $query) });
            ok($status >= 400 && $errors eq '', "$script_name digits, Catalogue.pl?$query: refused, nothing logged");
        }
        my ($status, undef, undef, $errors) = run_script($dir, 'Checkout.pl', { query => form_body(print => $twelve, key => 'a' x 32) });
        ok($status == 404 && $errors eq '', "$script_name digits, an order's number: not found, nothing logged");
        spew("$dir/admin.pass", "\r\n", 'boss=secret');
        my (undef, $head) = run_script($dir, 'Admin.pl', { body => 'action=signin&userid=boss&password=secret' });
        my ($session) = $head =~ /(admin=[0-9a-f]{32})/;
        for my $query (form_body(order => $twelve), form_body(start => $twelve)) {
            ($status, undef, undef, $errors) = run_script($dir, 'Admin.pl', { query => $query, cookie => $session });
            ok($status == 404 && $errors eq '', "$script_name digits, Admin.pl?$query: not found, nothing logged");
        }
    }
    local $ENV{HTTPS} = 'on';
    my @cards = (
        # number, expiry, the word
        ["4111 1111 1111 111\x{661}", '12/39', 'with the digits 0 to 9 only'],
        ["\x{FF14}111 1111 1111 1111", '12/39', 'with the digits 0 to 9 only'],
        ['4111 1111 1111 1111', "\x{661}\x{662}/\x{663}\x{669}", 'MM/YY'],
        ['4111 1111 1111 1111', "\x{FF11}\x{FF12}/\x{FF13}\x{FF19}", 'MM/YY'],
    );
    require ShopCard;
    for my $card (@cards) {
        my ($number, $expiry, $word) = @$card;
        my ($checked, $problem) = ShopCard::check_card({ card_number => $number, card_expiry => $expiry, card_name => 'Z' });
        like(join(' ', values %$problem), qr/\Q$word\E/, "card '$number' '$expiry': refused, '$word'");
    }
};

subtest 'card details only over HTTPS' => sub {
    plan skip_all => 'gpg is not installed' unless -x '/usr/bin/gpg' || grep { -x "$_/gpg" } split /:/, $ENV{PATH};
    my $keys = tempdir(CLEANUP => 1);
    local $ENV{GNUPGHOME} = $keys;
    system('gpg', '--batch', '--quiet', '--passphrase', '', '--quick-gen-key', 'Harbour <sales@shop.test>', 'default', 'default', 'never') == 0
        or return fail('gpg makes a throwaway key');
    my $public = `gpg --batch --armor --export sales\@shop.test`;
    my ($dir) = shop('paymethod=Credit Card');
    spew("$dir/data/merchant-key.asc", '', $public);
    for my $secure (0, 1) {
        local $ENV{HTTPS} = $secure ? 'on' : 'off';
        my $customer = filled($dir);
        send_form($dir, 'Checkout.pl', $customer, step => 'details', %DETAILS);
        my (undef, undef, $page) = run_script($dir, 'Checkout.pl', { query => 'step=summary', cookie => $customer });
        $page = decode('UTF-8', $page);
        is($page =~ /name="card_number"/ ? 1 : 0, $secure, $secure ? 'over HTTPS the card is asked for' : 'over HTTP it is not');
        is($page =~ /encrypted/ ? 1 : 0, $secure, $secure ? 'and encryption promised' : 'nor encryption promised');
    }
};

subtest 'without /dev/urandom the scripts refuse to run' => sub {
    my ($dir) = shop();
    my $customer = customer($dir);
    my $module = slurp("$dir/ShopRandom.pm");
    spew("$dir/ShopRandom.pm", '', $module =~ s{'/dev/urandom'}{'/nonexistent/urandom'}r);
    my ($status, $head, $page, $errors) = run_script($dir, 'Catalogue.pl', { query => 'product=2' });
    ok($status == 503 && $page =~ /cannot be shown just now/, 'a clear page');
    like($errors, qr{/nonexistent/urandom cannot be read}, 'and a line in the log');
    unlike($head, qr/Set-Cookie/, 'no identifier made');
};

subtest 'limits on abuse' => sub {
    my ($dir, $mails) = shop();
    ordered($dir) for 1 .. 4;
    my @customer = map { order_value(read_order("$dir/data", $_), 'mail_customer') } 1 .. 4;
    is_deeply(\@customer, ['sent', 'sent', 'sent', 'not sent'], 'three customer mails an hour to one address');
    is(order_value(read_order("$dir/data", 4), 'mail_sales'), 'sent', 'the fourth order is taken and the sales mail sent');
    is(scalar(() = slurp("$mails/message") =~ /^To: zoe\@home\.test$/mg), 3, 'three mails went to the customer');

    local $ENV{REMOTE_ADDR} = '203.0.113.5';
    note_event("$dir/data", 'order', '203.0.113.5') for 1 .. 10;
    my $answer = ordered($dir, email => 'other@home.test');
    ok($answer->{status} == 429 && $answer->{page} =~ /Your basket is kept/, 'the eleventh order in a minute from one address waits');
    ok(!-e "$dir/data/orders/5.order", 'and is not placed');
    local $ENV{REMOTE_ADDR} = '203.0.113.6';
    like(ordered($dir, email => 'other@home.test')->{page}, qr/Order number: 5</, 'another address orders at once');

    mkdir "$dir/data/baskets";
    my $before = () = glob "$dir/data/baskets/[0-9a-f]*";
    spew(sprintf("$dir/data/baskets/%032x", $_), '', '') for 1 .. $ShopBasket::MAX_BASKETS;
    my $new = send_form($dir, 'Basket.pl', customer($dir), action => 'add', product => 2, qty => 1);
    ok($new->{status} == 503 && $new->{page} =~ /cannot take any more baskets/, 'a full shop refuses new baskets, with a word');
    my $kept = customer($dir);
    spew(basket_file($dir, $kept), "\r\n", "2\t1\t");
    send_form($dir, 'Basket.pl', $kept, action => 'add', product => 2, qty => 1);
    like(slurp(basket_file($dir, $kept)), qr/\A2\t2\t/, 'while a basket already there still takes more');
    my (undef, $head) = run_script($dir, 'Catalogue.pl', { query => 'product=2' });
    like($head, qr/Set-Cookie: basket=/, 'a visit alone makes no basket file');
    is(scalar(() = glob "$dir/data/baskets/[0-9a-f]*"), $before + $ShopBasket::MAX_BASKETS + 1, 'no file was added');
};

subtest 'what the scripts write is not for the host\'s other users' => sub {
    my ($dir) = shop('save_user_details=ON');
    my $customer = filled($dir);
    send_form($dir, 'Checkout.pl', $customer, step => 'details', %DETAILS, remember => 1);
    my %mode = map { $_ => (stat $_)[2] // 07777 } basket_file($dir, $customer), "$dir/data/checkouts/$customer->{id}",
        glob("$dir/data/customers/[0-9a-f]*");
    send_form($dir, 'Checkout.pl', $customer, step => 'place', seen => seen($dir, $customer));
    $mode{$_} = (stat $_)[2] // 07777 for "$dir/data/orders/1.order", "$dir/data/orders/counter", "$dir/data/sessions/secret";
    is(scalar(keys %mode), 6, 'a basket, details kept, a customer record, an order, the counter and the secret');
    is($mode{$_} & 07, 0, "$_: not readable by others") for sort keys %mode;
    my @folders = map { "$dir/data/$_" } qw(baskets checkouts customers orders sessions limits);
    is_deeply([grep { ((stat $_)[2] // 07) & 07 } @folders], [], 'nor the folders that name them');
};

subtest 'the order counter at its limit' => sub {
    my ($dir, $mails) = shop();
    mkdir "$dir/data/orders";
    spew("$dir/data/orders/counter", "\r\n", '999999999');
    my $answer = ordered($dir);
    like($answer->{page}, qr/Order number: 1000000000</, 'past 999,999,999 the next order is placed');
    is(order_value(read_order("$dir/data", 1000000000), 'name'), 'Zoë', 'written and found');
    is_deeply(list_orders("$dir/data"), [1000000000], 'and listed');
    like(slurp("$mails/message"), qr/^Subject: Your order 1000000000 at Harbour$/m, 'and mailed');
    my ($cookie) = $answer->{head} =~ /(last_order=[0-9]+-[0-9a-f]{32})/;
    like(decode('UTF-8', (run_script($dir, 'Checkout.pl', { more_cookies => $cookie, body => 'step=place', customer => 1 }))[2]),
        qr/Order number: 1000000000</, "and the customer's cookie finds it");
    spew("$dir/data/orders/counter", "\r\n", '9' x 18);
    my $before = slurp("$dir/data/orders/1000000000.order");
    is(place_order("$dir/data", [['name', 'X']]), undef, 'past eighteen digits no order is written that could not be found');
    is(slurp("$dir/data/orders/1000000000.order"), $before, 'and none is overwritten');
};

done_testing();
