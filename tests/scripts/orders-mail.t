#!/usr/bin/perl
# Orders kept whole under numbers that never repeat, and mail that no
# customer's text can turn into another message.
use strict;
use warnings;
use utf8;
use Encode qw(decode);
use File::Temp qw(tempdir);
use IO::Socket::INET;
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use TestShop qw($SCRIPTS slurp spew stand_in_mailer);
use lib $SCRIPTS;
use Test::More;
use ShopOrders qw(place_order read_order list_orders update_order order_value order_lines line_value);
use ShopMail qw(send_mail valid_address);
use ShopOrderMail qw(send_order_mails order_text);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

subtest 'orders placed at the same moment get numbers of their own' => sub {
    my $data = tempdir(CLEANUP => 1);
    my @children;
    for my $customer (1 .. 40) {
        my $pid = fork // die "fork: $!";
        if (!$pid) {
            my $number = place_order($data, [['status', 'new'], ['name', "Customer $customer"],
                ['line', "1\tB-1\tDune\t\t\t9.99"], ['total', '9.99']]);
            exit($number ? 0 : 1);
        }
        push @children, $pid;
    }
    my $failed = grep { waitpid($_, 0) && $? != 0 } @children;
    is($failed, 0, 'every order written');
    my $numbers = list_orders($data);
    is_deeply($numbers, [reverse 1 .. 40], 'forty distinct numbers, newest first');
    my %customers = map { order_value(read_order($data, $_), 'name') => 1 } @$numbers;
    is(scalar keys %customers, 40, 'each order whole, under its own number');
};

subtest 'an order file' => sub {
    my $data = tempdir(CLEANUP => 1);
    my $number = place_order($data, [['status', 'new'], ['order', 99], ['name', "Zoë\r\nBcc: x\@y"],
        ['address', "1 Quay St\nPort Town"], ['line', line_value(2, 'H-1', "Hat\twith tab", 'Wool', 'Size: Small; Colour: Red', '31.00')]]);
    is($number, 1, 'the first is 1, whatever the checkout says');
    my $bytes = slurp("$data/orders/1.order");
    like($bytes, qr/\Aorder=1\r\ndate=\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ\r\nstatus=new\r\n/, 'number, date and status first');
    like(decode('UTF-8', $bytes), qr/\r\nname=Zoë<br>Bcc: x\@y\r\naddress=1 Quay St<br>Port Town\r\n/, 'no line break in a value');
    my $order = read_order($data, 1);
    is_deeply(order_lines($order), [{ quantity => 2, number => 'H-1', name => 'Hat with tab', type => 'Wool',
        choices => 'Size: Small; Colour: Red', total => '31.00' }], 'its lines');
    ok(update_order($data, 1, { status => 'paid', mail => 'not sent' }), 'updated');
    $order = read_order($data, 1);
    is(order_value($order, 'status'), 'paid', 'a value changed in place');
    is($order->{pairs}[-1][1], 'not sent', 'a new one added at the end');
    spew("$data/orders/counter", '', 'damaged');
    is(place_order($data, [['status', 'new']]), 2, 'a damaged counter is found again from the files');
    ok(!read_order($data, $_), "no order '$_'") for ('0', '3', '../counter', '1.order', '');
    ok(!update_order($data, 7, { status => 'paid' }), 'an order that is not there is not made');
};

subtest 'mail through the mail program' => sub {
    my $dir = tempdir(CLEANUP => 1);
    my %shop = (data => $dir, settings => { mailprogram => stand_in_mailer($dir, 0) . ' -oi' });
    my @problem = send_mail(\%shop, { from => 'sales@shop.test', to => 'zoe@home.test', reply_to => 'zoe@home.test',
        subject => "Your order 12 – thank you\r\nBcc: all\@spam.test", body => "Dear Zoë,\n.\nthanks" });
    is_deeply(\@problem, [], 'sent');
    is(slurp("$dir/arguments"), "-oi\n-t\n", 'addresses taken from the headers, never the command line');
    my $message = slurp("$dir/message");
    like($message, qr/^To: zoe\@home\.test$/m, 'to the customer');
    like($message, qr/^Subject: =\?UTF-8\?B\?[^\n]*$/m, 'a subject beyond ASCII encoded on one line');
    unlike($message, qr/^Bcc:/m, 'no header from a subject');
    like(decode('UTF-8', $message), qr/\n\nDear Zoë,\n\.\nthanks\n\z/, 'the body as written');
    # A subject of ASCII alone is written as it is: its line breaks must go.
    unlink "$dir/message";
    send_mail(\%shop, { from => 'sales@shop.test', to => 'zoe@home.test',
        subject => "Your order 12\r\nBcc: all\@spam.test\nX-Two: 2", body => 'b' });
    $message = slurp("$dir/message");
    like($message, qr/^Subject: Your order 12 ?Bcc: all\@spam\.test ?X-Two: 2$/m, 'an ASCII subject kept on one line');
    unlike($message, qr/^(?:Bcc|X-Two):/m, 'and no header from it');
    $shop{settings}{mailprogram} = stand_in_mailer($dir, 75);
    like(join('', send_mail(\%shop, { from => 'sales@shop.test', to => 'a@b.test', subject => 's', body => 'b' })),
        qr/failed \(75\)/, 'a failing mail program is told');
    $shop{settings}{mailprogram} = "$dir/missing";
    like(join('', send_mail(\%shop, { from => 'sales@shop.test', to => 'a@b.test', subject => 's', body => 'b' })),
        qr/cannot be run/, 'so is a missing one');
};

subtest 'addresses' => sub {
    my @addresses = (['zoe@home.test', 1], ['a.b+c@mail.example.co.uk', 1], ["zoe\@home.test\nBcc: x\@y.test", 0],
        ['zoe@home.test, x@y.test', 0], ['Zoë <zoe@home.test>', 0], ['zoe@home', 0], ['zoe@-home.test', 0], ['', 0]);
    is(valid_address($_->[0]) ? 1 : 0, $_->[1], "'$_->[0]'") for @addresses;
    my %shop = (data => tempdir(CLEANUP => 1), settings => { mailprogram => '/bin/false' });
    like(join('', send_mail(\%shop, { from => 'sales@shop.test', to => "a\@b.test\r\nBcc: c\@d.test", subject => 's', body => 'b' })),
        qr/not a single plain address/, 'a second recipient never reaches a header');
};

subtest 'mail in the preview goes to the outbox' => sub {
    my $dir = tempdir(CLEANUP => 1);
    local $ENV{QUAYSTALL_PREVIEW} = '1';
    my %shop = (data => $dir, settings => { mailprogram => stand_in_mailer($dir, 0) });
    is_deeply([send_mail(\%shop, { from => 'sales@shop.test', to => 'zoe@home.test', subject => 'Order 1', body => 'b' })], [], 'kept');
    my @kept = glob "$dir/outbox/*.eml";
    is(scalar @kept, 1, 'one mail in the outbox');
    like(slurp($kept[0]), qr/^Subject: Order 1\r$/m, 'the whole message');
    ok(!-e "$dir/message", 'and none sent');
};

subtest 'mail by SMTP' => sub {
    my $server = IO::Socket::INET->new(LocalAddr => '127.0.0.1', LocalPort => 0, Listen => 1, ReuseAddr => 1) or die $!;
    my $port = $server->sockport;
    my $dir = tempdir(CLEANUP => 1);
    my $pid = fork // die;
    if (!$pid) {
        my $client = $server->accept;
        my $log = '';
        print $client "220 sink\r\n";
        while (defined(my $line = <$client>)) {
            $log .= $line;
            if ($line =~ /^DATA/) { print $client "354 go\r\n"; while (defined(my $data = <$client>)) { $log .= $data; last if $data eq ".\r\n" } print $client "250 kept\r\n"; next }
            print $client $line =~ /^QUIT/ ? "221 bye\r\n" : $line =~ /^EHLO/ ? "250 sink\r\n" : "250 ok\r\n";
            last if $line =~ /^QUIT/;
        }
        spew("$dir/smtp.log", '', $log);
        exit 0;
    }
    my %shop = (data => $dir, settings => { smtp_server => "127.0.0.1:$port", web_server => 'www.shop.test' });
    is_deeply([send_mail(\%shop, { from => 'sales@shop.test', to => 'zoe@home.test', subject => 'Order', body => ".\nend" })],
        [], 'sent');
    waitpid $pid, 0;
    my $log = slurp("$dir/smtp.log");
    like($log, qr/\AEHLO www\.shop\.test\r\n/, 'greeting as the web server');
    like($log, qr/^MAIL FROM:<sales\@shop\.test>\r\nRCPT TO:<zoe\@home\.test>\r\n/m, 'to the one recipient');
    like($log, qr/\r\n\r\n\.\.\r\nend\r\n\.\r\n/, 'a line holding a dot cannot end the message');
    %shop = (data => $dir, settings => {});
    like(join('', send_mail(\%shop, { from => 'sales@shop.test', to => 'zoe@home.test', subject => 's', body => 'b' })),
        qr/no mail program and no SMTP server/, 'without a way to send, the reason');
};

subtest 'an order whose mail cannot go is kept and sent again later' => sub {
    my $dir = tempdir(CLEANUP => 1);
    my %shop = (data => $dir, settings => { sales_email => 'sales@shop.test', company => 'Harbour',
        mailprogram => stand_in_mailer($dir, 1) });
    my $number = place_order($dir, [['status', 'new'], ['name', 'Zoë'], ['email', 'zoe@home.test'],
        ['line', line_value(1, 'B-1', 'Dune', '', '', '9.99')], ['total', '9.99'], ['currency', 'gbp']]);
    is(send_order_mails(\%shop, $number), 2, 'neither mail went');
    my $order = read_order($dir, $number);
    is_deeply([map { order_value($order, $_) } qw(mail mail_sales mail_customer)], ['not sent', 'not sent', 'not sent'],
        'the order says so');
    $shop{settings}{mailprogram} = stand_in_mailer($dir, 0);
    is(send_order_mails(\%shop, $number), 0, 'both go once the mail program works');
    like(decode('UTF-8', slurp("$dir/message")),
        qr/^To: sales\@shop\.test\nReply-To: zoe\@home\.test\n.*Order number: 1\n.*Name: Zoë\n.*1 x Dune \(B-1\)   9\.99/ms,
        'the shop is sent the whole order, to answer the customer');
    unlink "$dir/message";
    is(send_order_mails(\%shop, $number), 0, 'sending again');
    ok(!-e "$dir/message", 'sends nothing twice');
    is(order_value(read_order($dir, $number), 'mail'), 'sent', 'the order says all went');
};

subtest "the customer's mail says how to pay by cheque or postal order" => sub {
    local $ENV{QUAYSTALL_PREVIEW} = '1';
    my @cases = (
        ['cheques taken', { snailorder => 'yes', chequename => 'Harbour Crafts Ltd', merc_address => '1 Quay St<br>Harbourtown' },
            qr/post it with your order number to:\n\n    Harbour\n    1 Quay St\n    Harbourtown\n\nPlease make it payable to: Harbour Crafts Ltd\nAmount: 12\.34 GBP\n/],
        ['payable to the company when no name is given', { snailorder => 'YES', merc_address => "1 Quay St\r\nHarbourtown" },
            qr/    1 Quay St\n    Harbourtown\n\nPlease make it payable to: Harbour\n/],
        ['no cheques taken', { phoneback => 'yes' }, undef],
        ['paid by card through a service', { snailorder => 'yes', paymethod => 'WorldPay' }, undef],
    );
    for my $case (@cases) {
        my ($name, $settings, $expected) = @$case;
        my $dir = tempdir(CLEANUP => 1);
        my %shop = (data => $dir, settings => { sales_email => 'sales@shop.test', company => 'Harbour', %$settings });
        my $number = place_order($dir, [['status', 'new'], ['name', 'Zoe'], ['email', 'zoe@home.test'],
            ['line', line_value(1, 'B-1', 'Dune', '', '', '12.34')], ['total', '12.34'], ['currency', 'gbp']]);
        is(send_order_mails(\%shop, $number), 0, "$name: both mails kept");
        my ($mail) = grep { /^To: zoe\@home\.test\r$/m } map { slurp($_) } glob "$dir/outbox/*.eml";
        ok(defined $mail, "$name: the customer's mail") or next;
        $mail =~ s/\r\n/\n/g;
        like($mail, qr/^Date: \d{4}-\d\d-\d\d \d\d:\d\d UTC$/m, "$name: the order's date as people read it");
        unlike($mail, qr/^Date: \d{4}-\d\d-\d\dT/m, "$name: not as the order file keeps it");
        if ($expected) {
            like($mail, $expected, "$name: where, to whom and how much");
        } else {
            unlike($mail, qr/cheque/i, "$name: nothing of cheques");
        }
    }
};

subtest 'orders placed before their figures were kept still show and add up' => sub {
    my $data = tempdir(CLEANUP => 1);
    my @orders = (
        # the order's values, its figures as the text shows them
        [[['subtotal', '29.99'], ['postage', '4.00'], ['vat', '5.10'], ['vatmode', 'added'], ['total', '39.09']],
            ['Subtotal: 29.99', 'Postage: 4.00', 'VAT: 5.10', 'Total: 39.09']],
        # the VAT taken off was kept nowhere but in the total: 29.99 + 6.00 - 32.18 = 3.81
        [[['subtotal', '29.99'], ['postage', '6.00'], ['vat', '0.00'], ['vatmode', 'removed'], ['total', '32.18']],
            ['Subtotal: 29.99', 'VAT taken off (not charged outside the VAT area): -3.81', 'Postage: 6.00',
             'Total: 32.18']],
        # nor the VAT on postage: 34.57 - 29.99 - 4.00 = 0.58
        [[['subtotal', '29.99'], ['postage', '4.00'], ['vat', '4.39'], ['vatmode', 'included'], ['total', '34.57']],
            ['Subtotal: 29.99', 'Postage: 4.00', 'VAT on postage: 0.58', 'Total: 34.57', 'of which VAT: 4.39']],
        [[['subtotal', '1234.50'], ['postage', '0.00'], ['vat', '0.00'], ['vatmode', 'none'], ['total', '1234.50']],
            ['Subtotal: 1,234.50', 'Postage: 0.00', 'Total: 1,234.50']],
        [[['total', '9.99']], ['Total: 9.99']],
    );
    for my $case (@orders) {
        my ($pairs, $figures) = @$case;
        my $text = order_text(read_order($data, place_order($data, $pairs)));
        my @shown = map { s/:\s+/: /r } grep { /:\s+-?[\d,]+\.\d\d\z/ } split /\n/, $text;
        is_deeply(\@shown, $figures, join ', ', map { "$_->[0]=$_->[1]" } @$pairs);
    }
};

done_testing();
