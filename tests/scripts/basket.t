#!/usr/bin/perl
# The basket: choices kept on the server under the customer's cookie, priced
# from the catalogue as it stands, never damaged by writers at once.
use strict;
use warnings;
use utf8;
use Encode qw(decode);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use Test::More;
use TestShop qw(make_shop run_script product spew customer);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

my %SHOP = (
    'qstl2.cfg' => ['currency=gbp', 'opt_radio_entries=3', 'taxaction=ignore'],
    'data/header_data.log' => ['0::Clothing::::::::'],
    'data/shop.data' => [
        product(id => 1, path => 'Clothing|Hat', type => 'Cotton|Wool', options => '0|1', price => '12.00|15.50'),
        product(id => 2, path => 'Clothing|Scarf', price => '7.25'),
        product(id => 3, path => 'Clothing|Hidden', price => '1', suppress => 'Yes'),
        product(id => 4, path => 'Clothing|Quote', price => 'ask'),
    ],
    'data/flavours.txt' => ["Size\tSmall\tLarge", "Colour\tRed\tBlue"],
    'data/fieldinfo.data' => ['Price=Decimal,Mandatory,"The price.","Needed.",No,Yes'],
);

# A form sent from the shop's page; without a customer, a new one's.
sub post {
    my ($dir, $customer, %form) = @_;
    my $body = join '&', map { "$_=$form{$_}" } sort keys %form;
    return run_script($dir, 'Basket.pl', { body => $body, cookie => $customer // customer($dir) });
}

sub basket {
    my ($dir, $cookie) = @_;
    my ($status, undef, $page, $errors) = run_script($dir, 'Basket.pl', { cookie => $cookie });
    $page = decode('UTF-8', $page);
    my @lines = map { s/<[^>]*>/ /gr =~ s/\s+/ /gr =~ s/\A | \z//gr } $page =~ /<tr class="line[^"]*">(.*?)<\/tr>/g;
    my ($subtotal) = $page =~ /id="subtotal">([^<]*)</;
    return { status => $status, lines => \@lines, subtotal => $subtotal, errors => $errors, page => $page };
}

subtest 'adding and changing lines' => sub {
    my $dir = make_shop(\%SHOP);
    my $cookie = customer($dir);
    my ($status, $head, undef, $errors) = post($dir, $cookie, action => 'add', product => 1, type => 'Wool',
        opt1 => 'Small', opt2 => 'Red', qty => 2);
    is($status, 303, 'an added product sends the browser to the basket');
    like($head, qr/^Location: Basket\.pl\r$/m, 'to the basket page');
    my ($id) = $head =~ /^Set-Cookie: basket=([0-9a-f]{32}); Path=\/cgi-bin\/qstldb\/demo-cgi\/; Max-Age=\d+; HttpOnly; SameSite=Lax\r$/m;
    ok($id, 'the basket in a cookie the page cannot read');
    is($errors, '', 'nothing on the server log');
    post($dir, $cookie, action => 'add', product => 1, type => 'Wool', opt1 => 'Small', opt2 => 'Red', qty => 1);
    post($dir, $cookie, action => 'add', product => 1, type => 'Cotton', opt1 => 'Large', opt2 => 'Blue', qty => 1);
    post($dir, $cookie, action => 'add', product => 2, qty => 4);
    my $basket = basket($dir, $cookie);
    is_deeply($basket->{lines}, ['Hat Type: Wool; Size: Small; Colour: Red £15.50 £46.50 Remove',
        'Hat Type: Cotton; Size: Large; Colour: Blue £12.00 £12.00 Remove', 'Scarf £7.25 £29.00 Remove'],
        'the same choice adds to its line, another is a line of its own');
    is($basket->{subtotal}, '£87.50', 'subtotal');
    like($basket->{page}, qr/Basket <span class="count">\(8\)<\/span>/, 'the header counts the items');

    post($dir, $cookie, action => 'update', qty_1 => 1, qty_2 => 0, qty_3 => 2);
    $basket = basket($dir, $cookie);
    is_deeply([map { /(£[\d.]+) Remove\z/ } @{ $basket->{lines} }], ['£15.50', '£14.50'], 'a quantity of 0 removes its line');
    post($dir, $cookie, action => 'update', qty_1 => 1, qty_2 => 2, remove => 1);
    is_deeply(basket($dir, $cookie)->{lines}, ['Scarf £7.25 £14.50 Remove'], 'Remove takes its line away');
    post($dir, $cookie, action => 'update', remove => 1);
    like(basket($dir, $cookie)->{page}, qr/<p class="notice">Your basket is empty\.<\/p>/, 'the last line gone: empty');
    ok(!-e "$dir/data/baskets/$id", 'and its file with it');
};

subtest 'what cannot go into the basket' => sub {
    my $dir = make_shop(\%SHOP);
    my @refused = (
        [{ product => 1, type => 'Wool', opt1 => 'Small', qty => 1 },                    'Please choose a Colour.'],
        [{ product => 1, type => 'Wool', opt1 => 'Huge', opt2 => 'Red', qty => 1 },      'Please choose a Size.'],
        [{ product => 1, opt1 => 'Small', opt2 => 'Red', qty => 1 },                     'Please choose a type.'],
        [{ product => 1, type => 'Silk', opt1 => 'Small', opt2 => 'Red', qty => 1 },     'Please choose a type.'],
        [{ product => 1, type => 'Wool', opt1 => 'Small', opt2 => 'Red', qty => 0 },     'Please enter a quantity from 1 to 999.'],
        [{ product => 1, type => 'Wool', opt1 => 'Small', opt2 => 'Red', qty => '1000' }, 'Please enter a quantity from 1 to 999.'],
        [{ product => 4, qty => 1 },                                                     'contact us'],
        [{ product => 3, qty => 1 },                                                     'that product could not be found'],
        [{ product => 99, qty => 1 },                                                    'that product could not be found'],
    );
    for my $case (@refused) {
        my ($status, $head, $page, $errors) = post($dir, undef, action => 'add', %{ $case->[0] });
        like(decode('UTF-8', $page), qr/\Q$case->[1]\E/, "refused: $case->[1]");
        unlike($head, qr/Location/, 'nothing added');
        is($errors, '', 'nothing on the server log');
    }
    my (undef, undef, $page) = post($dir, undef, action => 'add', product => 1, type => 'Wool', opt1 => 'Large', qty => 3);
    like($page, qr/value="Large" checked/, 'what was chosen stays chosen');
    like($page, qr/name="qty" [^>]*value="3"/, 'and the quantity typed');
    ok(!-e "$dir/data/baskets", 'no basket file');
};

subtest 'a line past the largest quantity is refused with the reason' => sub {
    my $dir = make_shop(\%SHOP);
    my $cookie = customer($dir);
    post($dir, $cookie, action => 'add', product => 2, qty => 990);
    my @adds = (
        # quantity added, what the customer is told or undef, the line's quantity after
        [10,  'Your basket already holds 990 of these, and a line holds at most 999: please add at most 9 more.', 990],
        [9,   undef, 999],
        [1,   'Your basket already holds 999 of these, and a line holds at most 999: please place this order before adding more.', 999],
    );
    for my $add (@adds) {
        my ($quantity, $told, $after) = @$add;
        my ($status, undef, $page) = post($dir, $cookie, action => 'add', product => 2, qty => $quantity);
        if (defined $told) {
            like(decode('UTF-8', $page), qr/\Q$told\E/, "adding $quantity: told");
        } else {
            is($status, 303, "adding $quantity: added");
        }
        like(basket($dir, $cookie)->{page}, qr/name="qty_1" [^>]*value="$after"/, "adding $quantity: the line holds $after");
    }
    my (undef, undef, $page) = post($dir, $cookie, action => 'update', qty_1 => 1000);
    like(decode('UTF-8', $page), qr/A line holds at most 999: please enter a quantity from 0 to 999\./,
        'a quantity typed past it on the basket page: told');
    like(basket($dir, $cookie)->{page}, qr/name="qty_1" [^>]*value="999"/, 'and the basket as it was');
};

subtest 'every page prices the basket from the catalogue as it stands' => sub {
    my $dir = make_shop(\%SHOP);
    my $cookie = customer($dir);
    post($dir, $cookie, action => 'add', product => 2, qty => 2);
    post($dir, $cookie, action => 'add', product => 1, type => 'Cotton', opt1 => 'Small', opt2 => 'Red', qty => 1);
    my @changes = (
        [[product(id => 2, path => 'Clothing|Scarf', price => '8.00'),
          product(id => 1, path => 'Clothing|Hat', type => 'Cotton|Wool', options => '0|1', price => '12.00|15.50')],
         '£28.00', 'a new price is charged'],
        [[product(id => 1, path => 'Clothing|Hat', type => 'Cotton|Wool', options => '0|1', price => '12.00|15.50')],
         '£12.00', 'a product gone is marked and left out'],
        [[product(id => 2, path => 'Clothing|Scarf', price => '7.25', suppress => 'Y'),
          product(id => 1, path => 'Clothing|Hat', type => 'Cotton|Wool', options => '1', price => '12.00|15.50')],
         '£0.00', 'so is a suppressed one, and one whose options changed'],
    );
    my $when = time;
    for my $change (@changes) {
        spew("$dir/data/shop.data", "\r\n", @{ $change->[0] });
        utime $when, $when += 10, "$dir/data/shop.data";
        my $basket = basket($dir, $cookie);
        is($basket->{subtotal}, $change->[1], $change->[2]);
    }
    like(basket($dir, $cookie)->{page}, qr/No longer available<\/td>.*No longer available as chosen<\/td>/s,
        'each line says why');
};

subtest 'the basket cookie goes only over HTTPS when the page came over it' => sub {
    my $dir = make_shop(\%SHOP);
    for my $case (['on', 1], ['ON', 1], ['1', 1], ['off', 0], ['', 0]) {
        my ($https, $secure) = @$case;
        local $ENV{HTTPS} = $https;
        my (undef, $head) = run_script($dir, 'Catalogue.pl', { query => 'product=2' });
        my ($cookie) = $head =~ /^(Set-Cookie: basket=.*)\r$/m;
        is(($cookie // '') =~ /; Secure\z/ ? 1 : 0, $secure, "HTTPS='$https': Secure $secure");
    }
};

subtest 'a basket cookie the shop did not issue is never taken up' => sub {
    my $dir = make_shop(\%SHOP);
    my $issued = customer($dir)->{id};
    mkdir "$dir/data/baskets";
    (my $unsigned = $issued) =~ s/(.)\z/$1 eq '0' ? '1' : '0'/e;
    for my $planted ('0123456789abcdef0123456789abcdef', $unsigned, '../../qstl2.cfg', '') {
        spew("$dir/data/baskets/$planted", "\r\n", "2\t5\t") if $planted =~ /\A[0-9a-f]{32}\z/;
        my $basket = basket($dir, "basket=$planted");
        ok($basket->{status} == 200 && !@{ $basket->{lines} }, "'$planted': the planted basket is not read");
        my (undef, $head, $page) = run_script($dir, 'Catalogue.pl', { query => 'product=2', cookie => "basket=$planted" });
        my ($given) = $head =~ /^Set-Cookie: basket=([0-9a-f]{32});/m;
        ok($given && $given ne $planted, "'$planted': the shop gives a basket of its own");
        my ($token) = $page =~ /name="token" value="([0-9a-f]{64})"/;
        my ($status) = run_script($dir, 'Basket.pl', { body => "action=add&product=2&qty=1&token=$token",
            cookie => "basket=$planted" });
        is($status, 403, "'$planted': nothing is added to the planted basket, even with a token of the shop's");
    }
    is_deeply([glob "$dir/data/baskets/*.new-*"], [], 'nothing written');
};

subtest 'customers adding at the same moment' => sub {
    my $dir = make_shop(\%SHOP);
    my $cookie = customer($dir);
    post($dir, $cookie, action => 'add', product => 2, qty => 1);
    my @children;
    for my $writer (1 .. 12) {
        my $pid = fork // die "fork: $!";
        if ($pid == 0) {
            my %form = $writer % 2 ? (product => 2, qty => 1)
                                   : (product => 1, type => 'Wool', opt1 => 'Small', opt2 => 'Red', qty => 1);
            post($dir, $cookie, action => 'add', %form) for 1 .. 3;
            exit 0;
        }
        push @children, $pid;
    }
    waitpid $_, 0 for @children;
    my $basket = basket($dir, $cookie);
    is_deeply([map { /(\d+) £[\d.]+ Remove\z/ ? () : $_ } @{ $basket->{lines} }], [], 'lines read whole');
    like($basket->{page}, qr/name="qty_1" [^>]*value="19"/, 'every add of one counted');
    like($basket->{page}, qr/name="qty_2" [^>]*value="18"/, 'and of the other');
    is($basket->{subtotal}, sprintf('£%.2f', 19 * 7.25 + 18 * 15.5), 'subtotal');
    is_deeply([glob "$dir/data/baskets/*.new-*"], [], 'no half-written file left');
};

subtest 'baskets unused for a week go' => sub {
    my $dir = make_shop(\%SHOP);
    my (undef, $head) = post($dir, undef, action => 'add', product => 2, qty => 1);
    my ($old) = $head =~ /basket=([0-9a-f]{32})/;
    my $week_ago = time - 8 * 24 * 3600;
    utime $week_ago, $week_ago, "$dir/data/baskets/$old", "$dir/data/baskets/last-sweep";
    post($dir, undef, action => 'add', product => 2, qty => 1);
    ok(!-e "$dir/data/baskets/$old", 'an old basket is removed');
    (undef, $head) = post($dir, undef, action => 'add', product => 2, qty => 1);
    my ($recent) = $head =~ /basket=([0-9a-f]{32})/;
    utime $week_ago, $week_ago, "$dir/data/baskets/last-sweep";
    post($dir, undef, action => 'add', product => 2, qty => 1);
    ok(-e "$dir/data/baskets/$recent", 'a recent one stays');
};

done_testing();
