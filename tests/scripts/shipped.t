#!/usr/bin/perl
# What the installation ships for every new shop: the script set and its
# lists, the starting data files and the tool-bar bitmaps.
use strict;
use warnings;
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use Test::More;
use TestShop qw($PROGRAM $SCRIPTS slurp);

subtest 'the installation ships a working script set' => sub {
    my %list;
    for my $name ('AllCGIFiles.txt', 'CGIFiles.txt') {
        my $text = slurp("$SCRIPTS/$name");
        like($text, qr/\A(?:[^\r\n]+\r\n)+\z/, "$name: one name a line, CR LF");
        $list{$name} = [split /\r\n/, $text];
        for my $entry (@{ $list{$name} }) {
            unlike($entry, qr{[/\\]|\A\.\.\z}, "$name: $entry names a file in its own folder");
            ok(-f "$SCRIPTS/$entry", "$name: $entry exists");
        }
    }
    my %all = map { $_ => 1 } @{ $list{'AllCGIFiles.txt'} };
    ok($all{'CGIFiles.txt'}, 'every new shop receives CGIFiles.txt');
    ok($all{$_}, "a new shop receives $_, which an export copies") for @{ $list{'CGIFiles.txt'} };
    for my $script (grep {/\.pl\z/} keys %all) {
        like(slurp("$SCRIPTS/$script"), qr/\A#!/, "$script starts with an interpreter line");
        ok(-x "$SCRIPTS/$script", "$script is executable");
    }
    opendir(my $dir, $SCRIPTS) or die "$SCRIPTS: $!";
    for my $file (grep { /\.p[lm]\z/ } readdir $dir) {
        ok($all{$file}, "$file reaches every new shop");
        my $check = `'$^X' -c -I'$SCRIPTS' '$SCRIPTS/$file' 2>&1`;
        is($check, "$SCRIPTS/$file syntax OK\n", "$file compiles without a warning");
    }
};

subtest 'every shipped text file has CR LF line ends' => sub {
    for my $dir ($SCRIPTS, "$SCRIPTS/data") {
        opendir(my $dh, $dir) or die "$dir: $!";
        for my $name (grep { -f "$dir/$_" } sort readdir $dh) {
            like(slurp("$dir/$name"), qr/\A(?:[^\r\n]*\r\n)+\z/, "$name: every line ends with CR LF");
        }
    }
};

subtest 'starting data files' => sub {
    my $data = "$SCRIPTS/data";
    ok(!-e "$data/shop.data", 'no catalogue: a new shop starts empty');
    my @areas = split /\r\n/, slurp("$data/area.txt");
    is(scalar(grep { /\A\*?[^=*]+=[1-6],[01]\z/ } @areas), scalar(@areas), 'areas: name=zone,liability');
    my @codes = map { /\A([^=]+)=\d+\.\d\d\t/ ? $1 : 'malformed' } split /\r\n/, slurp("$data/shop.tax");
    my ($headings) = slurp("$data/countries.tax") =~ /\AHeadings=([^\r\n]*)\r\n/;
    my @padding = ('') x (@codes < 4 ? 4 - @codes : 0);
    is_deeply([split /\t/, $headings // '', -1], [@codes, @padding], 'country rate columns follow the VAT codes');
    like(slurp("$data/flavours.txt"), qr/\A[^\t\r\n]+(?:\t[^\t\r\n]+)+\r\n/, 'an option with its variations');
};

subtest 'tool-bar bitmaps' => sub {
    for my $base (qw(save category sub-category new import export delete post catologue)) {
        my %bitmap;
        for my $state ('off', 'on') {
            my $path = "$PROGRAM/Buttons/$base-$state.bmp";
            my $bytes = -f $path ? slurp($path) : '';
            $bitmap{$state} = $bytes;
            my ($magic, $size, $offset, $width, $height, $bits)
                = length $bytes >= 54 ? unpack('a2 V x4 V x4 l< l< x2 v', $bytes) : ('');
            ok($magic eq 'BM' && $bits == 24 && $size == length $bytes && $offset + $width * $height * 3 <= $size,
                "$base-$state.bmp is a 24-bit bitmap");
        }
        isnt($bitmap{on}, $bitmap{off}, "$base: the hot image differs from the normal one");
    }
};

done_testing();
