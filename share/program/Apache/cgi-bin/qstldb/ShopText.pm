package ShopText;
# Text at the shop's edges: the catalogue files are Windows-1252, the pages
# UTF-8, and every value written into a page or a link is escaped there.
# Both encodings are worked here with Perl's own means, for loading a
# general encoding library would cost every page more than its work.
use strict;
use warnings;
use Exporter qw(import);

our @EXPORT_OK = qw(html html_text url_encode url_decode from_catalogue to_catalogue from_request utf8_bytes);

# Windows-1252 bytes 0x80 to 0x9F; the rest of the bytes are the characters
# of the same number. The five bytes it leaves undefined show as the
# replacement character rather than stop the page.
my @WINDOWS_1252 = map { chr } 0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
    0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178;
my %WINDOWS_1252_BYTE = map { $WINDOWS_1252[$_] => chr(0x80 + $_) } grep { $WINDOWS_1252[$_] ne "\x{FFFD}" } 0 .. 31;

my $NON_CHARACTER = do {
    my $ends = join '', map { sprintf '\\x{%X}\\x{%X}', 0x10000 * $_ + 0xFFFE, 0x10000 * $_ + 0xFFFF } 0 .. 16;
    qr/[\x{FDD0}-\x{FDEF}$ends]/;
};

sub html {
    my ($text) = @_;
    $text //= '';
    $text =~ s/&/&amp;/g;
    $text =~ s/</&lt;/g;
    $text =~ s/>/&gt;/g;
    $text =~ s/"/&quot;/g;
    $text =~ s/'/&#39;/g;
    return $text;
}

# Stored values hold their line breaks as the text "<br>"; nothing else in
# them is markup.
sub html_text {
    my ($text) = @_;
    return join '<br>', map { html($_) } split /<br>/i, $text // '', -1;
}

# Percent-encodes the UTF-8 bytes of a text; $keep lists characters left as
# they are (a character class body).
sub url_encode {
    my ($text, $keep) = @_;
    $keep //= '';
    my $bytes = utf8_bytes($text // '');
    $bytes =~ s/([^A-Za-z0-9\-._~$keep])/sprintf '%%%02X', ord $1/ge;
    return $bytes;
}

# Bytes of a query string or form value, "+" read as a blank.
sub url_decode {
    my ($text) = @_;
    $text =~ tr/+/ /;
    $text =~ s/%([0-9A-Fa-f]{2})/chr hex $1/ge;
    return $text;
}

# Catalogue bytes to characters.
sub from_catalogue {
    my $text = $_[0] // '';
    $text =~ s/([\x80-\x9F])/$WINDOWS_1252[ord($1) - 0x80]/g;
    # Characters, not bytes, so that case and classes work on every letter.
    utf8::upgrade($text);
    return $text;
}

# Characters to catalogue bytes; undef when a character has no byte there.
sub to_catalogue {
    my ($text) = @_;
    return undef if !defined $text || $text =~ /[\x80-\x9F]/;
    for my $character ($text =~ /([^\x00-\xFF])/g) {
        return undef unless exists $WINDOWS_1252_BYTE{$character};
    }
    $text =~ s/([^\x00-\xFF])/$WINDOWS_1252_BYTE{$1}/g;
    utf8::downgrade($text);
    return $text;
}

# A request value's UTF-8 bytes to characters; undef when they are not UTF-8
# (surrogates, numbers past Unicode's last and the non-characters are not
# taken), or hold control characters other than line breaks and tabs.
sub from_request {
    my $text = $_[0] // '';
    return undef unless utf8::decode($text);
    return undef if $text =~ /[^\x{0}-\x{D7FF}\x{E000}-\x{10FFFF}]/ || $text =~ $NON_CHARACTER;
    return undef if $text =~ /[\x00-\x08\x0B\x0C\x0E-\x1F\x7F]/;
    return $text;
}

# The UTF-8 bytes of a text.
sub utf8_bytes {
    my ($text) = @_;
    utf8::encode($text);
    return $text;
}

1;
