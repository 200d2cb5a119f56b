#!/usr/bin/perl
# Requests no customer's browser sends: each gets a page saying what went
# wrong in plain words, with the shop's navigation, and never a server
# error, a warning in the server's log, or a file touched outside the data
# folder.
use strict;
use warnings;
use File::Find qw(find);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use Test::More;
use TestShop qw(make_shop run_script product);

my %SHOP = (
    'qstl2.cfg' => ['currency=gbp', 'searchfields=18:Description'],
    'data/header_data.log' => ['0::Books::::::::'],
    'data/shop.data' => [product(id => 1, path => 'Books|Dune', price => '5')],
    'admin.pass' => ['boss=secret'],
);

my $LONG = 'x' x 3000;
my @requests = (
    # script, request, status, what the page says
    ['Catalogue.pl', { query => 'cat=abc' },                    404, 'that category could not be found'],
    ['Catalogue.pl', { query => 'cat=99' },                     404, 'that category could not be found'],
    ['Catalogue.pl', { query => 'cat=0&start=-3' },             400, 'that page of the category could not be found'],
    ['Catalogue.pl', { query => 'product=1x' },                 404, 'that product could not be found'],
    ['Catalogue.pl', { query => 'product=99999999999999999999' }, 404, 'that product could not be found'],
    ['Catalogue.pl', { query => 'product=2' },                  404, 'that product could not be found'],
    ['Catalogue.pl', { query => 'product=1&type=%3Cscript%3E' }, 200, 'Dune'],
    ['Catalogue.pl', { query => 'search=%FF%FE' },              400, 'could not read that request'],
    ['Catalogue.pl', { query => 'search=a%00b' },               400, 'could not read that request'],
    ['Catalogue.pl', { query => 'search=' . ('word+' x 30) },   400, 'that search is too long'],
    ['Catalogue.pl', { query => 'search=dune&in=7' },           400, 'cannot search there'],
    ['Catalogue.pl', { query => 'search=dune&in=../../x' },     400, 'cannot search there'],
    ['Catalogue.pl', { query => 'search=dune&start=x' },        400, 'that page of the results could not be found'],
    ['Catalogue.pl', { query => 'search=' },                    200, 'Please type what you are looking for'],
    ['Catalogue.pl', { query => "search=$LONG" },               400, 'too long for the shop to read'],
    ['Catalogue.pl', { query => 'page=../../qstl2.cfg' },       404, 'that page could not be found'],
    ['Catalogue.pl', { query => '%ZZ=%&&==&cat' },              404, 'that category could not be found'],
    ['Basket.pl',    { body => "qty=$LONG" x 6 },               400, 'too long for the shop to read'],
    ['Basket.pl',    { body => 'action=add', type => 'text/plain' }, 400, 'could not read that request'],
    ['Basket.pl',    { body => 'action=remove-all', customer => 1 },           400, 'could not read that request'],
    ['Basket.pl',    { body => 'action=add&product=abc', customer => 1 },      404, 'that product could not be found'],
    ['Basket.pl',    { body => 'action=update&remove=999&qty_1=-1', customer => 1 }, 303, ''],
    ['Basket.pl',    { cookie => 'basket=..%2F..%2Fqstl2.cfg' }, 200, 'Your basket is empty'],
    ['Admin.pl',     { cookie => 'admin=..%2F..%2Fqstl2.cfg' }, 200, 'Sign in'],
    ['Admin.pl',     { query => 'order=..%2F..%2Fqstl2.cfg' },   200, 'Sign in'],
    ['Admin.pl',     { query => 'download=csv' },                200, 'Sign in'],
    ['Admin.pl',     { body => 'action=status&order=1&status=paid' }, 403, 'Please sign in first'],
    ['Admin.pl',     { body => 'action=signin&userid=boss&password=wrong' }, 403, 'not right'],
    ['Admin.pl',     { body => 'action=signin&userid=%FF' },     400, 'could not read that request'],
    ['Admin.pl',     { body => "password=$LONG" x 6 },           400, 'too long for the shop to read'],
    ['Checkout.pl',  { body => 'step=pay', customer => 1 },                    400, 'could not read that request'],
    ['Checkout.pl',  { body => 'step=details&name=%FF' },       400, 'could not read that request'],
    ['Checkout.pl',  { body => 'step=place&seen=x', customer => 1 },           200, 'Your basket is empty'],
    ['Checkout.pl',  { query => 'step=summary', cookie => 'basket=..%2Fx; customer=..%2F..%2Fqstl2.cfg' }, 303, ''],
    ['Checkout.pl',  { query => 'print=1&key=' },               404, 'that order could not be found'],
    ['Checkout.pl',  { query => 'paid=..%2Fcounter&key=x', body => 'a', type => 'multipart/form-data' }, 404,
                                                                'that order could not be found'],
);

for my $case (@requests) {
    my ($script, $request, $status, $says) = @$case;
    my $dir = make_shop(\%SHOP);
    my @before = outside_data($dir);
    my ($got, undef, $page, $errors) = run_script($dir, $script, $request);
    my $name = "$script " . join(' ', map { "$_=" . substr($request->{$_}, 0, 40) } sort keys %$request);
    subtest $name => sub {
        is($got, $status, 'status');
        like($page, qr/\Q$says\E/, "says '$says'") if $says ne '';
        like($page, qr/<nav class="tree"[^>]*><ul><li><a href="Catalogue\.pl\?cat=0"/, 'with the navigation')
            if $got != 303;
        is($errors, '', 'nothing on the server log');
        is_deeply([outside_data($dir)], \@before, 'nothing written outside the data folder');
    };
}

subtest 'damaged or missing data files' => sub {
    my @shops = (
        [{ 'data/header_data.log' => ["\x00\xff::::", '::', 'x::|::'] },  '', 'Welcome'],
        [{ 'data/shop.data' => ["\x00" x 100, '1::::', '::Books|'] },       'cat=0', 'Books'],
        [{ 'data/flavours.txt' => ["\t\t", ''], 'data/shop.data' => [product(id => 1, path => 'Books|Dune', price => '5', options => '0|1|x')] },
                                                                         'product=1', 'Add to basket'],
        [{ 'data/fieldinfo.data' => ['=', 'Price', 'Price="unclosed'] },   'product=1', 'Dune'],
        [{ 'qstl2.cfg' => undef },                                         'cat=0', 'Dune'],
        [{ 'data/shop.data' => undef, 'data/header_data.log' => undef },   'search=dune', 'being prepared'],
    );
    for my $shop (@shops) {
        my ($files, $query, $says) = @$shop;
        my $dir = make_shop({ %SHOP, %$files });
        my ($status, undef, $page, $errors) = run_script($dir, 'Catalogue.pl', { query => $query });
        ok($status == 200 && $page =~ /\Q$says\E/, "'$query' on damaged files says '$says'");
        is($errors, '', 'nothing on the server log');
    }
};

sub outside_data {
    my ($dir) = @_;
    my @files;
    find({ no_chdir => 1, wanted => sub {
        push @files, $File::Find::name unless $File::Find::name =~ m{\A\Q$dir\E/data(?:/|\z)}
            || $File::Find::name =~ m{/std(?:in|err)-\d+-\d+\.txt\z};
    } }, $dir);
    return sort @files;
}

done_testing();
