#!/usr/bin/perl
# The administrators' pages: open only to the user ID and password the shop
# manager set, shut by wrong tries and by an idle hour, and no form that did
# not come from the session's own page changes an order.
use strict;
use warnings;
use utf8;
use Encode qw(decode);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use TestShop qw($SCRIPTS make_shop run_script slurp spew stand_in_mailer);
use lib $SCRIPTS;
use Test::More;
use ShopOrders qw(place_order read_order order_value line_value);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

# admin.pass holds Windows-1252 bytes; the browser sends UTF-8.
my $PASS  = "Zo\xEB=se=cr\xE9t";
my $RIGHT = 'action=signin&userid=Zo%C3%AB&password=se%3Dcr%C3%A9t';

sub admin_shop {
    my ($pass, $mail_status) = @_;
    my $dir = make_shop({ 'admin.pass' => defined $pass ? [$pass] : undef });
    spew("$dir/qstl2.cfg", "\r\n", 'currency=gbp', 'sales_email=sales@shop.test',
        'mailprogram=' . stand_in_mailer($dir, $mail_status // 0));
    return $dir;
}

# Runs Admin.pl; whatever the request, nothing may reach the server's log.
sub admin {
    my ($dir, $request, $name) = @_;
    my ($status, $head, $page, $errors) = run_script($dir, 'Admin.pl', $request);
    is($errors, '', "nothing on the server log: $name");
    return ($status, $head, decode('UTF-8', $page));
}

sub signed_in {
    my ($dir, $body) = @_;
    my (undef, $head) = admin($dir, { body => $body // $RIGHT }, 'sign-in');
    return $head =~ /^Set-Cookie: admin=([0-9a-f]{32});/m ? $1 : undef;
}

sub form_token {
    my ($dir, $session) = @_;
    my (undef, undef, $page) = admin($dir, { cookie => "admin=$session" }, 'orders page');
    return $page =~ /name="token" value="([0-9a-f]{64})"/ ? $1 : undef;
}

# An order of one line, with @pairs in place of the usual values.
sub new_order {
    my ($dir, @pairs) = @_;
    my %given = map { $_->[0] => 1 } @pairs;
    return place_order("$dir/data", [(grep { !$given{ $_->[0] } } ['status', 'new'], ['name', 'Zoë'],
        ['email', 'zoe@home.test'], ['line', line_value(1, 'B-1', 'Dune', '', '', '9.99')], ['total', '9.99'],
        ['currency', 'gbp']), @pairs]);
}

sub status_of { return order_value(read_order("$_[0]/data", $_[1]), 'status') }

subtest 'without a user ID and a password there is no signing in' => sub {
    for my $pass (undef, '', '=secret', 'boss=', 'boss') {
        my $dir = admin_shop($pass);
        my $name = defined $pass ? "admin.pass '$pass'" : 'no admin.pass';
        my ($status, undef, $page) = admin($dir, {}, $name);
        ok($status == 403 && $page =~ /switched off/ && $page =~ /Options, Admin Security/, "$name: says how to switch on");
        ok(!signed_in($dir, 'action=signin&userid=boss&password=secret')
            && !signed_in($dir, 'action=signin&userid=&password='), "$name: no sign-in");
    }
};

subtest 'a user ID or a password of "0" is one like any other' => sub {
    for my $account (['boss=0', 'boss', '0'], ['0=secret', '0', 'secret'], ['0=0', '0', '0']) {
        my ($pass, $user, $password) = @$account;
        my $dir = admin_shop($pass);
        my ($status, undef, $page) = admin($dir, {}, "admin.pass '$pass'");
        ok($status == 200 && $page !~ /switched off/, "admin.pass '$pass': the sign-in page");
        ok(signed_in($dir, "action=signin&userid=$user&password=$password"), "admin.pass '$pass': signs in");
        ok(!signed_in($dir, "action=signin&userid=$user&password=1"), "admin.pass '$pass': not with another password");
    }
};

subtest 'signing in' => sub {
    my @tries = (
        [$RIGHT, 1, 'the user ID and password'],
        ['action=signin&userid=Zo%C3%AB&password=se%3Dcr%C3%A9', 0, 'a password cut short'],
        ['action=signin&userid=Zo%C3%AB%3Dse&password=cr%C3%A9t', 0, 'the "=" moved into the user ID'],
        ['action=signin&userid=zo%C3%AB&password=se%3Dcr%C3%A9t', 0, 'the user ID in other case'],
        ["$RIGHT%E2%98%83", 0, 'a character beyond Windows-1252'],
    );
    for my $try (@tries) {
        my ($body, $right, $name) = @$try;
        is(signed_in(admin_shop($PASS), $body) ? 1 : 0, $right, $name);
    }
    my $dir = admin_shop($PASS);
    my (undef, $head) = admin($dir, { query => $RIGHT }, 'GET');
    unlike($head, qr/Set-Cookie/, 'never by GET');
    (undef, $head) = admin($dir, { body => $RIGHT }, 'POST');
    like($head, qr{^Set-Cookie: admin=[0-9a-f]{32}; Path=/cgi-bin/qstldb/demo-cgi/; HttpOnly; SameSite=Strict\r$}m,
        'a session cookie for the scripts alone');
    local $ENV{HTTPS} = 'on';
    (undef, $head) = admin($dir, { body => $RIGHT }, 'POST over HTTPS');
    like($head, qr/^Set-Cookie: admin=.*; Secure\r$/m, 'over HTTPS, sent over HTTPS only');
};

# The times of the wrong tries kept for one address, moved $seconds back.
sub age_failures {
    my ($dir, $seconds) = @_;
    for my $file (glob "$dir/data/limits/[0-9a-f]*") {
        spew($file, '', slurp($file) =~ s/([0-9]+)/$1 - $seconds/ger);
    }
}

subtest 'wrong tries hold back their own address, never the administrators' => sub {
    my $dir = admin_shop($PASS);
    my $wrong = 'action=signin&userid=Zo%C3%AB&password=guess';
    local $ENV{REMOTE_ADDR} = '203.0.113.9';
    for my $try (1 .. 4) {
        my ($status, undef, $page) = admin($dir, { body => $wrong }, "wrong try $try");
        ok($status == 403 && ($try < 4 || $page =~ /one more wrong try/), "try $try refused");
    }
    my ($status, undef, $page) = admin($dir, { body => $wrong }, 'fifth wrong try');
    ok($status == 429 && $page =~ /try again in 1 minute/, 'the fifth holds the address back for a minute');
    ($status) = admin($dir, { body => $wrong }, 'sixth wrong try');
    is($status, 429, 'a sixth from it is not even tried');
    ok(!signed_in($dir), 'nor the right password from that address while it is held back');
    {
        local $ENV{REMOTE_ADDR} = '198.51.100.7';
        ok(signed_in($dir), 'the right password from another address signs in at once');
        local $ENV{HTTP_X_FORWARDED_FOR} = '198.51.100.7';
        local $ENV{REMOTE_ADDR} = '203.0.113.9';
        ok(!signed_in($dir), 'a forwarded-for header does not pass for another address');
    }
    age_failures($dir, 61);
    (undef, undef, $page) = admin($dir, { body => $wrong }, 'a wrong try after the minute');
    like($page, qr/try again in 2 minutes/, 'each wrong try after the hold doubles it');
    age_failures($dir, 121);
    ok(signed_in($dir), 'the right password is taken once the hold is over');
    (undef, undef, $page) = admin($dir, { body => $wrong }, 'a wrong try after signing in');
    unlike($page, qr/try again/, 'and a sign-in starts the count again');
};

subtest 'guesses spread over many addresses do not lock the administrators out' => sub {
    my $dir = admin_shop($PASS);
    for my $host (1 .. 8) {
        local $ENV{REMOTE_ADDR} = "192.0.2.$host";
        my ($status) = admin($dir, { body => 'action=signin&userid=Zo%C3%AB&password=guess' }, "a guess from address $host");
        is($status, 403, "guess $host refused");
    }
    local $ENV{REMOTE_ADDR} = '198.51.100.7';
    ok(signed_in($dir), 'the administrators still sign in');
};

subtest 'the exported admin.pass holds a slow digest, not the password' => sub {
    # Known answers of PBKDF2 with HMAC-SHA-256 (RFC 7914, section 11).
    my $once = '{PBKDF2-SHA256}1$73616c74$55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc';
    my $slow = '{PBKDF2-SHA256}80000$4e61436c$4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56';
    my @digests = (
        # digest, password typed, signs in
        [$once, 'passwd',   1, 'one round, the right password'],
        [$once, 'Passwd',   0, 'one round, another password'],
        [$slow, 'Password', 1, '80,000 rounds, the right password'],
        [$slow, $slow,      0, "the file's own text"],
        [$slow =~ s/8/9/r, 'Password', 0, 'another number of rounds'],
    );
    for my $case (@digests) {
        my ($digest, $typed, $right, $name) = @$case;
        my $dir = admin_shop("boss=$digest");
        my $body = 'action=signin&userid=boss&password=' . ($typed =~ s/([^A-Za-z0-9])/sprintf '%%%02X', ord $1/ger);
        is(signed_in($dir, $body) ? 1 : 0, $right, $name);
    }
};

subtest 'a session ends at sign-out or after an hour unused' => sub {
    my $dir = admin_shop($PASS);
    my $stale = signed_in($dir);
    spew("$dir/data/sessions/$stale", "\r\n", time - 3600);
    my $session = signed_in($dir);
    ok(!-e "$dir/data/sessions/$stale", 'sessions that ran out are cleared away at a sign-in');
    spew("$dir/data/sessions/$session", "\r\n", time - 3590);
    my (undef, undef, $page) = admin($dir, { cookie => "admin=$session" }, 'before the hour');
    like($page, qr/<h2>Orders<\/h2>/, 'open just before the hour, which starts again');
    spew("$dir/data/sessions/$session", "\r\n", time - 3600);
    (undef, undef, $page) = admin($dir, { cookie => "admin=$session" }, 'after the hour');
    ok($page =~ /name="password"/ && !-e "$dir/data/sessions/$session", 'closed after it, its file gone');
    $session = signed_in($dir);
    my ($status, $head) = admin($dir, { cookie => "admin=$session", body => 'action=signout&token=' . form_token($dir, $session) },
        'sign-out');
    ok($status == 303 && $head =~ /^Set-Cookie: admin=; Path=\S+; Max-Age=0;/m, 'sign-out clears the cookie');
    (undef, undef, $page) = admin($dir, { cookie => "admin=$session" }, 'after sign-out');
    like($page, qr/name="password"/, 'and the session is over');
};

subtest 'a form without its session token changes nothing' => sub {
    my $dir = admin_shop($PASS);
    my $number = new_order($dir, ['mail', 'not sent']);
    my ($mine, $other) = (signed_in($dir), signed_in($dir));
    my ($my_token, $other_token) = (form_token($dir, $mine), form_token($dir, $other));
    my @forged = (
        [{ cookie => "admin=$mine", body => "action=status&order=$number&status=paid" },                      403, 'no token'],
        [{ cookie => "admin=$mine", body => "action=status&order=$number&status=paid&token=$other_token" },   403, "another session's"],
        [{ cookie => "admin=$mine", body => "action=resend&order=$number&token=%E2%98%83" },                  403, 'a token of nonsense'],
        [{ body => "action=resend&order=$number&token=$my_token" },                                           403, 'no session'],
        [{ cookie => "admin=$mine", query => "action=status&order=$number&status=paid&token=$my_token" },    200, 'by GET'],
    );
    for my $case (@forged) {
        my ($request, $refused, $name) = @$case;
        my ($status) = admin($dir, $request, $name);
        is($status, $refused, "$name: refused");
    }
    is(status_of($dir, $number), 'new', 'the order kept its status');
    ok(!-e "$dir/message", 'and no mail went');
};

subtest 'marking orders and sending their mails again' => sub {
    my $dir = admin_shop($PASS);
    my $sent = new_order($dir, ['mail', 'sent']);
    my $unsent = new_order($dir, ['mail', 'not sent'], ['mail_sales', 'not sent'], ['mail_customer', 'sent']);
    my $session = signed_in($dir);
    my $token = form_token($dir, $session);
    my $post = sub { admin($dir, { cookie => "admin=$session", body => "$_[0]&token=$token" }, $_[0]) };
    my @changes = (
        # form, status, location, the order's status afterwards
        ["action=status&order=$sent&status=paid",       303, "Admin.pl?order=$sent", 'paid'],
        ["action=status&order=$sent&status=dispatched", 303, "Admin.pl?order=$sent", 'dispatched'],
        ["action=status&order=$sent&status=new",        400, '',                     'dispatched'],
        ["action=status&order=$sent&status=%3Cb%3E",    400, '',                     'dispatched'],
        ['action=status&order=99&status=paid',          404, '',                     undef],
        ['action=status&order=..%2Fcounter&status=paid', 404, '',                    undef],
        ["action=delete&order=$sent",                   400, '',                     'dispatched'],
    );
    for my $change (@changes) {
        my ($form, $status, $location, $after) = @$change;
        my ($got, $head) = $post->($form);
        is($got, $status, "$form: $status");
        like($head, qr/^Location: \Q$location\E\r$/m, "$form: back to the order") if $location ne '';
        is(status_of($dir, $sent), $after, "$form: the order is $after") if defined $after;
    }
    my $button = sub { (admin($dir, { cookie => "admin=$session", query => "order=$_[0]" }, "order $_[0]"))[2] =~ /Send mail again/ };
    ok(!$button->($sent) && $button->($unsent), 'the button only where a mail did not go');
    my ($status, $head) = $post->("action=resend&order=$unsent");
    ok($status == 303 && $head =~ /\bmail=sent\r$/m, 'sent again');
    like(decode('UTF-8', slurp("$dir/message")), qr/^To: sales\@shop\.test$/m, 'the mail that had not gone');
    is(order_value(read_order("$dir/data", $unsent), 'mail'), 'sent', 'the order says so');
    unlink "$dir/message";
    is(($post->("action=resend&order=$sent"))[0], 409, 'an order whose mails went is not sent again');
    ok(!-e "$dir/message", 'nothing sent');
};

subtest 'the orders, newest first, fifty a page' => sub {
    my $dir = admin_shop($PASS);
    new_order($dir, ['name', "Customer $_"], ['mail', $_ == 7 ? 'not sent' : 'sent']) for 1 .. 50;
    new_order($dir, ['name', '<b>Zoë</b>'], ['address', "1 Quay St\nPort Town"], ['note', 'Gift & wrap']);
    my $session = signed_in($dir);
    my $get = sub { (admin($dir, { cookie => "admin=$session", query => $_[0] }, $_[0]))[2] };
    my @numbers = $get->('') =~ /<tr><td><a href="Admin\.pl\?order=(\d+)">/g;
    is_deeply(\@numbers, [reverse 2 .. 51], 'the first page');
    my $second = $get->('start=50');
    ok($second =~ /order=1"/ && $second !~ /order=2"/, 'the second');
    like($second, qr/<span>51&ndash;51 of 51<\/span>/, 'counted once on the last page');
    like($second, qr/Customer 1<\/td><td class="money">£9\.99<\/td><td>new<\/td><td><\/td>/, 'total and status');
    like($get->('start=0'), qr/Customer 7<\/td>.*not sent/, 'a mail that did not go stands out');
    my $order = $get->('order=51');
    ok($order =~ /&lt;b&gt;Zoë&lt;\/b&gt;/ && $order =~ /1 Quay St<br>Port Town/, 'values escaped, their line breaks kept');
    unlike($order, qr/<b>Zoë/, 'never as markup');
    unlike($get->(''), qr/<b>Zoë/, 'nor in the list');
    like($order, qr/<th>note<\/th><td>Gift &amp; wrap<\/td>/, 'every value');
    like($order, qr/<td>1<\/td><td>B-1<\/td><td>Dune<\/td>/, 'its lines');
    like($order, qr/<pre class="order-text">Order number: 51\n/, 'the order as mailed');
};

subtest 'all orders as CSV' => sub {
    my $dir = admin_shop($PASS);
    place_order("$dir/data", [['status', 'paid'], ['name', '=HYPERLINK("http://x.test")'], ['email', '@zoe'],
        ['phone', '+44 1234'], ['address', "1 Quay St\nPort, Town"], ['postcode', 'PT1;=2+3'], ['total', '40.99'],
        ['line', line_value(1, 'B-1', 'Dune', '', '', '9.99')],
        ['line', line_value(2, 'H-1', 'Hat "Big"', 'Wool', '-Size: Small', '31.00')]]);
    place_order("$dir/data", [['status', 'new'], ['name', 'Bo']]);
    my ($status, $head, $csv) = admin($dir, { cookie => 'admin=' . signed_in($dir), query => 'download=csv' }, 'CSV');
    is($status, 200, 'given');
    like($head, qr/^Content-Type: text\/csv; charset=UTF-8\r$/m, 'as CSV');
    like($head, qr/^Content-Disposition: attachment; filename="orders-\d{8}\.csv"\r$/m, 'to be saved');
    my @rows = split /(?<=\r\n)(?=\d+,"\d{4}-)/, $csv =~ s/\A\x{FEFF}//r;
    is($rows[0], 'Order,Date,Status,Name,"E-mail",Telephone,Address,Postcode,Delivery area,Payment,Currency,Subtotal,'
        . 'VAT taken off,Postage,VAT,VAT on postage,Total,Of which VAT,'
        . "Quantity,Catalogue number,Product,Type,Choices,Line total\r\n", 'headings');
    s/\A(\d+),[^,]*,/$1,DATE,/ for @rows[1 .. $#rows];
    is_deeply([@rows[1 .. $#rows]], [
        qq{1,DATE,paid,"'=HYPERLINK(""http://x.test"")","'\@zoe","'+44 1234","1 Quay St\r\nPort, Town","PT1;=2+3",,,,,,,,,40.99,,}
            . qq{1,"B-1",Dune,,,9.99\r\n},
        qq{1,DATE,paid,"'=HYPERLINK(""http://x.test"")","'\@zoe","'+44 1234","1 Quay St\r\nPort, Town","PT1;=2+3",,,,,,,,,,,}
            . qq{2,"H-1","Hat ""Big""",Wool,"'-Size: Small",31.00\r\n},
        "2,DATE,new,Bo" . (',' x 20) . "\r\n",
    ], "a row for each line, quoted, no cell a formula; the order's figures on its first row alone");
};

subtest 'malformed requests get plain pages' => sub {
    my $dir = admin_shop($PASS);
    new_order($dir);
    my $session = signed_in($dir);
    my @requests = (
        # request, status, what the page says
        [{ cookie => 'admin=' . uc $session },                  200, 'name="password"'],
        [{ cookie => 'admin=' . ('0' x 32) },                   200, 'name="password"'],
        [{ cookie => "admin=$session", query => 'order=0' },    404, 'that order could not be found'],
        [{ cookie => "admin=$session", query => 'order=1e3' },  404, 'that order could not be found'],
        [{ cookie => "admin=$session", query => 'order=-1' },   404, 'that order could not be found'],
        [{ cookie => "admin=$session", query => 'start=x' },    404, 'that page of the orders could not be found'],
        [{ cookie => "admin=$session", query => 'start=50' },   404, 'that page of the orders could not be found'],
        [{ cookie => "admin=$session", body => 'token=%FF' },   400, 'could not read that request'],
    );
    for my $case (@requests) {
        my ($request, $status, $says) = @$case;
        my $name = join ' ', map { "$_=$request->{$_}" } sort keys %$request;
        my ($got, undef, $page) = admin($dir, $request, $name);
        ok($got == $status && $page =~ /\Q$says\E/, "$name: $status, '$says'");
    }
};

done_testing();
