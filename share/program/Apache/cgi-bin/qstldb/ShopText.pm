package ShopText;
# Text at the shop's edges: the catalogue files are Windows-1252, the pages
# UTF-8, and every value written into a page or a link is escaped there.
use strict;
use warnings;
use Encode qw(decode encode FB_CROAK LEAVE_SRC);
use Exporter qw(import);

our @EXPORT_OK = qw(html html_text url_encode url_decode from_catalogue to_catalogue from_request);

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
    my $bytes = encode('UTF-8', $text // '');
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

# Catalogue bytes to characters. Windows-1252 leaves five bytes undefined;
# they show as the replacement character rather than stop the page.
sub from_catalogue {
    my ($bytes) = @_;
    return decode('cp1252', $bytes // '');
}

# Characters to catalogue bytes; undef when a character has no byte there.
sub to_catalogue {
    my ($text) = @_;
    my $bytes = eval { encode('cp1252', $text, FB_CROAK | LEAVE_SRC) };
    return $bytes;
}

# A request value's UTF-8 bytes to characters; undef when they are not UTF-8
# or hold control characters other than line breaks and tabs.
sub from_request {
    my ($bytes) = @_;
    my $text = eval { decode('UTF-8', $bytes // '', FB_CROAK | LEAVE_SRC) };
    return undef unless defined $text;
    return undef if $text =~ /[\x00-\x08\x0B\x0C\x0E-\x1F\x7F]/;
    return $text;
}

1;
