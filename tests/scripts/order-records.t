#!/usr/bin/perl
# Every record of an order carries the figures the customer was charged:
# orders placed through the scripts as a server runs them, under each
# postage method and VAT setting, and the summary, the order file, both
# mails, the administrators' page and the CSV compared with figures worked
# out by hand from the help pages. Each record must also add up on its own.
use strict;
use warnings;
use utf8;
use Encode qw(decode encode);
use File::Temp qw(tempdir);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use Test::More;
use TestShop qw(make_shop run_script product slurp stand_in_mailer customer);

binmode Test::More->builder->$_, ':encoding(UTF-8)' for qw(output failure_output todo_output);

# Two products of different VAT codes and an ounce in pounds. The hand
# figures below use these prices.
my %PRODUCT = (
    hat   => { id => 1, path => 'Shop|Hat',   price => '10.00', weight => '0.5', tax => 'S' },
    book  => { id => 2, path => 'Shop|Book',  price => '9.99',  weight => '1',   tax => 'R' },
    ounce => { id => 3, path => 'Shop|Ounce', price => '0.50',  weight => '0.0625' },
    grain => { id => 4, path => 'Shop|Grain', price => '0.01',  weight => '0.0005' },
    piano => { id => 5, path => 'Shop|Piano', price => '1234.50' },
);
my @HAT_AND_BOOK = ([hat => 2], [book => 1]);    # 20.00 at 20% and 9.99 at 5%: 29.99

my %FILES = (
    'data/header_data.log' => ['0::Shop::::::::'],
    'data/area.txt' => ['Home=1,1', '*Abroad=2,0', 'Isle=3,1'],
    'data/shop.tax' => ["S=20.00\tStandard", "R=5.00\tReduced"],
    'data/zones_fixed.log' => ['1::::4.00::6.00::5.00'],
    'data/zones_data.log' => ['1::1::1.00::2.00::3.00', '2::2::2.50::4.00::5.00'],
    'admin.pass' => ['admin=secret'],
);

my @CASES = (
    # what, settings, files, basket, area, figures [label, amount] by hand
    ['VAT added to a liable area', ['taxaction=exclude', 'shipmethod=perzone'], {}, \@HAT_AND_BOOK, 'Home',
        # goods VAT 4.00 + 0.4995 up = 4.50; on postage 4.00 x 4.50/29.99 = 0.6002: 0.60
        [['Subtotal', '29.99'], ['Postage', '4.00'], ['VAT', '5.10'], ['Total', '39.09']]],
    ['VAT added, outside the VAT area', ['taxaction=exclude', 'shipmethod=perzone'], {}, \@HAT_AND_BOOK, 'Abroad',
        [['Subtotal', '29.99'], ['Postage', '6.00'], ['Total', '35.99']]],
    ['VAT included, liable', ['taxaction=include', 'shipmethod=perzone'], {}, \@HAT_AND_BOOK, 'Home',
        # held: 20.00 x 20/120 = 3.333: 3.33; 9.99 x 5/105 = 0.4757: 0.48; 3.81 of 29.99, net 26.18;
        # on postage 4.00 x 3.81/26.18 = 0.5821: 0.58
        [['Subtotal', '29.99'], ['Postage', '4.00'], ['VAT on postage', '0.58'], ['Total', '34.57'],
         ['of which VAT', '4.39']]],
    ['VAT included, taken off outside the VAT area', ['taxaction=include', 'shipmethod=perzone'], {}, \@HAT_AND_BOOK, 'Abroad',
        [['Subtotal', '29.99'], ['VAT taken off (not charged outside the VAT area)', '-3.81'], ['Postage', '6.00'],
         ['Total', '32.18']]],
    ['VAT included, postage holding its own', ['taxaction=include', 'postvatinc=yes', 'shipmethod=perzone'], {},
        \@HAT_AND_BOOK, 'Home', [['Subtotal', '29.99'], ['Postage', '4.00'], ['Total', '33.99'], ['of which VAT', '3.81']]],
    ['setting words in other capitals', ['taxaction= Include', 'postvatinc=YES', 'shipmethod=PerZone'], {},
        \@HAT_AND_BOOK, 'Home', [['Subtotal', '29.99'], ['Postage', '4.00'], ['Total', '33.99'], ['of which VAT', '3.81']]],
    ['VAT not calculated', ['taxaction=IGNORE', 'shipmethod=perzone'], {}, \@HAT_AND_BOOK, 'Home',
        [['Subtotal', '29.99'], ['Postage', '4.00'], ['Total', '33.99']]],
    ['a special country rate of three decimals', ['taxaction=exclude', 'shipmethod=perzone'],
        { 'data/countries.tax' => ["Headings=S\tR", "Isle=8.125\t"] }, \@HAT_AND_BOOK, 'Isle',
        # 20.00 x 8.125% = 1.625: 1.63; the book's usual 5%: 0.50; on postage 5.00 x 2.13/29.99 = 0.3551: 0.36
        [['Subtotal', '29.99'], ['Postage', '5.00'], ['VAT', '2.49'], ['Total', '37.48']]],
    ['a VAT rate of three decimals', ['taxaction=exclude', 'shipmethod=perzone'],
        { 'data/shop.tax' => ["S=17.555\tOdd", "R=5.00\tReduced"] }, \@HAT_AND_BOOK, 'Home',
        # 20.00 x 17.555% = 3.511: 3.51; 0.50; on postage 4.00 x 4.01/29.99 = 0.5348: 0.53
        [['Subtotal', '29.99'], ['Postage', '4.00'], ['VAT', '4.54'], ['Total', '38.53']]],
    ['a postage percentage of three decimals', ['taxaction=exclude', 'shipmethod=percentage', 'shippercent=12.345'], {},
        \@HAT_AND_BOOK, 'Home',
        # 29.99 x 12.345% = 3.7022: 3.70; VAT 4.50 + 3.70 x 4.50/29.99 = 0.5552: 0.56
        [['Subtotal', '29.99'], ['Postage', '3.70'], ['VAT', '5.06'], ['Total', '38.75']]],
    ['a postage percentage with trailing noughts', ['taxaction=ignore', 'shipmethod=percentage', 'shippercent=10.0000'], {},
        \@HAT_AND_BOOK, 'Home', [['Subtotal', '29.99'], ['Postage', '3.00'], ['Total', '32.99']]],
    ['sixteen ounces weigh a pound: the first band', ['taxaction=ignore', 'shipmethod=perzoneweight'], {},
        [[ounce => 16]], 'Home', [['Subtotal', '8.00'], ['Postage', '1.00'], ['Total', '9.00']]],
    ['seventeen ounces: the next band', ['taxaction=ignore', 'shipmethod=perzoneweight'], {},
        [[ounce => 17]], 'Abroad', [['Subtotal', '8.50'], ['Postage', '4.00'], ['Total', '12.50']]],
    ['a weight exactly on a limit of four decimals', ['taxaction=ignore', 'shipmethod=perzoneweight'],
        { 'data/zones_data.log' => ['1::0.4995::1.00', '2::0.5::2.00'] }, [[grain => 999]], 'Home',
        [['Subtotal', '9.99'], ['Postage', '1.00'], ['Total', '10.99']]],
    ['no postage method', ['taxaction=ignore'], {}, [[piano => 1]], 'Home',
        [['Subtotal', '1,234.50'], ['Postage (no charge)', '0.00'], ['Total', '1,234.50']]],
);

sub form_body {
    my (%form) = @_;
    return join '&', map { "$_=" . (encode('UTF-8', $form{$_}) =~ s/([^A-Za-z0-9._~-])/sprintf '%%%02X', ord $1/ger) }
        sort keys %form;
}

sub shop_for {
    my ($settings, $files, $mails) = @_;
    return make_shop({ %FILES, %$files,
        'data/shop.data' => [map { product(%{ $PRODUCT{$_} }, number => uc $_) } sort keys %PRODUCT],
        'qstl2.cfg' => [@$settings, 'currency=gbp', 'company=Harbour', 'sales_email=sales@shop.test',
            'mailprogram=' . stand_in_mailer($mails, 0)] });
}

sub page_of {
    my ($dir, $script, $request) = @_;
    my ($status, $head, $page, $errors) = run_script($dir, $script, $request);
    is($errors, '', "$script: nothing on the server log") or diag $errors;
    return ($head, decode('UTF-8', $page));
}

# The basket filled, the details given; the summary page and the cookie.
sub to_summary {
    my ($dir, $basket, $area) = @_;
    my $cookie = customer($dir);
    for my $item (@$basket) {
        my ($name, $quantity) = @$item;
        page_of($dir, 'Basket.pl', { body => "action=add&product=$PRODUCT{$name}{id}&qty=$quantity", cookie => $cookie });
    }
    page_of($dir, 'Checkout.pl', { cookie => $cookie, body => form_body(step => 'details', name => 'Zoë',
        email => 'zoe@home.test', phone => '01234 567890', address => '1 Quay St', postcode => 'PT1 2AB', area => $area) });
    my (undef, $summary) = page_of($dir, 'Checkout.pl', { cookie => $cookie, query => 'step=summary' });
    return ($summary, $cookie);
}

sub text_of { return $_[0] =~ s/<[^>]*>/ /gr =~ s/\s+/ /gr =~ s/\A | \z//gr }

# Figures of an HTML table's figure rows: [label, amount without its sign].
sub html_figures {
    my ($page) = @_;
    return [map { my ($label, $money) = /<td[^>]*>(.*?)<\/td><td class="money">(.*?)<\/td>/; [$label, $money =~ s/£//r] }
        $page =~ /<tr class="figure[^"]*">(.*?)<\/tr>/g];
}

# The figures block of a mail or of the text the administrators' page shows.
sub text_figures {
    my ($text) = @_;
    return [map { [/\A(\S.*?):\s+(-?[\d,]+\.\d\d)\z/] } grep { /\A\S.*:\s+-?[\d,]+\.\d\d\z/ } split /\n/, $text];
}

# Each record must add up: the rows before the total make it.
sub adds_up {
    my ($figures, $what) = @_;
    my ($sum, $total) = (0);
    for my $row (@$figures) {
        (my $pence = $row->[1]) =~ s/[,.]//g;
        if ($row->[0] eq 'Total') { $total = $pence; last }
        $sum += $pence;
    }
    is($sum, $total, "$what adds up to its total");
}

my $mails = tempdir(CLEANUP => 1);
for my $case (@CASES) {
    my ($what, $settings, $files, $basket, $area, $figures) = @$case;
    subtest $what => sub {
        my $dir = shop_for($settings, $files, $mails);
        unlink "$mails/message";
        my ($summary, $cookie) = to_summary($dir, $basket, $area);
        is_deeply(html_figures($summary), $figures, 'the summary') or diag text_of($summary);
        my ($seen) = $summary =~ /name="seen" value="([0-9a-f]+)"/;
        my (undef, $thanks) = page_of($dir, 'Checkout.pl', { cookie => $cookie, body => "step=place&seen=" . ($seen // '') });
        like($thanks, qr/Order number: 1</, 'placed');
        my $plain = [map { [$_->[0], $_->[1] =~ s/,//gr] } @$figures];

        my $order = decode('UTF-8', slurp("$dir/data/orders/1.order"));
        my @kept = map { [(split /\t/)[2, 1]] } $order =~ /^figure=(.*)\r$/mg;
        is_deeply(\@kept, $plain, 'the order file, as plain numbers');
        my ($total) = grep { $_->[0] eq 'Total' } @$plain;
        like($order, qr/^total=\Q$total->[1]\E\r$/m, 'and its total where payment services read it');

        my @messages = split /^(?=From: )/m, decode('UTF-8', slurp("$mails/message"));
        is(scalar @messages, 2, 'two mails');
        for my $message (@messages) {
            my ($to) = $message =~ /^To: (\S+)/m;
            is_deeply(text_figures($message), $figures, "the mail to $to");
            adds_up(text_figures($message), "the mail to $to");
        }

        my ($head) = page_of($dir, 'Admin.pl', { body => 'action=signin&userid=admin&password=secret' });
        my ($session) = $head =~ /(admin=[0-9a-f]{32})/;
        my (undef, $admin) = page_of($dir, 'Admin.pl', { cookie => $session, query => 'order=1' });
        is_deeply(html_figures($admin), $figures, "the administrators' page");
        my ($shown) = $admin =~ /<pre class="order-text">(.*?)<\/pre>/s;
        is_deeply(text_figures($shown // ''), $figures, "the administrators' page as mailed");

        my (undef, $csv) = page_of($dir, 'Admin.pl', { cookie => $session, query => 'download=csv' });
        my ($headings, @rows) = map { [split /,/, $_, -1] } split /\r\n/, $csv =~ s/\A\x{FEFF}//r;
        my %column = map { $headings->[$_] => $_ } 0 .. $#$headings;
        my %label = ('Postage (no charge)' => 'Postage', 'of which VAT' => 'Of which VAT',
            'VAT taken off (not charged outside the VAT area)' => 'VAT taken off');
        is_deeply([map { [$_->[0], $rows[0][ $column{ $label{ $_->[0] } // $_->[0] } ]] } @$plain], $plain, 'the CSV');
    };
}

subtest 'an order that cannot be charged shows no charge' => sub {
    my @refusals = (
        # what, settings, files, basket, area, what the customer is told
        ['heavier than the last band', ['shipmethod=perzoneweight'], {}, [[ounce => 33]], 'Home',
            qr/we cannot deliver this order to Home/],
        ['an empty cell', ['shipmethod=perzone'], { 'data/zones_fixed.log' => ['1::::4.00::::5.00'] }, [[hat => 1]],
            'Abroad', qr/we cannot deliver this order to Abroad/],
        ['a percentage that is not a number', ['shipmethod=percentage', 'shippercent=10%'], {}, [[hat => 1]], 'Home',
            qr/we cannot work out the postage/],
        ['a VAT rate that is not a number', ['taxaction=exclude'], { 'data/shop.tax' => ["S=20,0\tStandard"] },
            [[hat => 1]], 'Home', qr/we cannot work out the VAT/],
        ['a special rate that is not a number, never the usual one instead', ['taxaction=include'],
            { 'data/countries.tax' => ["Headings=S", "Isle=eight"] }, [[hat => 1]], 'Isle', qr/we cannot work out the VAT/],
    );
    for my $refusal (@refusals) {
        my ($what, $settings, $files, $basket, $area, $told) = @$refusal;
        my $dir = shop_for($settings, $files, $mails);
        my ($summary) = to_summary($dir, $basket, $area);
        like($summary, $told, "$what: the customer is told");
        like($summary, qr/please contact us/, "$what: and what to do");
        is_deeply([map { $_->[0] } @{ html_figures($summary) }], ['Subtotal'], "$what: no postage and no total shown");
        unlike($summary, qr/Place order/, "$what: and no order taken");
    }
};

done_testing();
