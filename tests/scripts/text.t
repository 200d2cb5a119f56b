#!/usr/bin/perl
# The shop's own reading and writing of Windows-1252 and UTF-8 gives what the
# encoding library gives, byte for byte and character for character.
use strict;
use warnings;
use Encode qw(decode encode FB_CROAK LEAVE_SRC);
use FindBin qw($RealBin);
use lib "$RealBin/lib";
use Test::More;
use TestShop;
use lib $TestShop::SCRIPTS;
use ShopText qw(from_catalogue to_catalogue from_request utf8_bytes);

for my $byte (0 .. 255) {
    my $expected = decode('cp1252', chr $byte);
    is(from_catalogue(chr $byte), $expected, sprintf 'byte %02X read as the library reads it', $byte);
}
is(lc from_catalogue("\xC9T\xC9 \x8A"), "\x{E9}t\x{E9} \x{161}", 'letters beyond ASCII change case once read');

my @characters = ((map { chr } 0 .. 0x2FF), map { chr } 0x2000 .. 0x2200, 0xFFFD, 0x10348);
my @differing = map { sprintf 'U+%04X', ord } grep {
    my $expected = eval { encode('cp1252', $_, FB_CROAK | LEAVE_SRC) };
    (to_catalogue($_) // 'none') ne ($expected // 'none');
} @characters;
is_deeply(\@differing, [], scalar(@characters) . ' characters written as the library writes them');
is(to_catalogue("Caf\x{E9} \x{20AC}5 \x{2019}"), "Caf\xE9 \x805 \x92", 'a text written whole');
ok(!utf8::is_utf8(to_catalogue("\x{20AC}")), 'written as bytes');
is(to_catalogue("a\x{FFFD}"), undef, 'the replacement character has no byte');

my @requests = (
    ['plain text',                 "Caf\xC3\xA9 \xE2\x82\xAC"],
    ['a character past the BMP',   "\xF0\x90\x8D\x88"],
    ['the last in Unicode',        "\xF4\x8F\xBF\xBF"],
    ['past the last in Unicode',   "\xF4\x90\x80\x80"],
    ['a surrogate',                "\xED\xA0\x80"],
    ['a non-character',            "\xEF\xBF\xBE"],
    ['a non-character of a plane', "\xF0\x9F\xBF\xBF"],
    ['one from the middle block',  "\xEF\xB7\x90"],
    ['the one before that block',  "\xEF\xB7\x8F"],
    ['a long form of "/"',         "\xC0\xAF"],
    ['a cut-off character',        "ab\xE2\x82"],
    ['a lone continuation byte',   "\x80"],
    ['Latin-1, not UTF-8',         "Caf\xE9"],
    ['a control character',        "a\x01b"],
    ['a line break and a tab',     "a\r\n\tb"],
);
for my $request (@requests) {
    my ($what, $bytes) = @$request;
    my $expected = eval { decode('UTF-8', $bytes, FB_CROAK | LEAVE_SRC) };
    $expected = undef if defined $expected && $expected =~ /[\x00-\x08\x0B\x0C\x0E-\x1F\x7F]/;
    is(from_request($bytes), $expected, "a request's $what");
}
is(utf8_bytes("Caf\x{E9} \x{20AC}"), "Caf\xC3\xA9 \xE2\x82\xAC", 'a page written as UTF-8');

done_testing();
