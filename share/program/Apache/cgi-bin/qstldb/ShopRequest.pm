package ShopRequest;
# The CGI request as the web server hands it over, and the answer to it.
# Parameters arrive as UTF-8 and are handed out as characters; a request too
# long or not in UTF-8 is marked, never half read.
use strict;
use warnings;
use Exporter qw(import);
use ShopText qw(url_decode from_request utf8_bytes);

our @EXPORT_OK = qw(read_request secure_request send_page send_download send_redirect cookie_header);

my $MAX_QUERY = 2048;
my $MAX_BODY  = 16384;
my $TOO_LONG   = 'Sorry, that request was too long for the shop to read.';
my $UNREADABLE = 'Sorry, the shop could not read that request.';

# { method, query => {name => text}, form => {...}, cookies => {...},
#   problem => what to tell the customer when the request cannot be read }
sub read_request {
    my %request = (method => uc($ENV{REQUEST_METHOD} // 'GET'), query => {}, form => {}, cookies => {});
    my $query = $ENV{QUERY_STRING} // '';
    return { %request, problem => $TOO_LONG } if length $query > $MAX_QUERY;
    my $problem = parse_pairs($query, qr/[&;]/, $request{query});
    if ($request{method} eq 'POST') {
        my $length = $ENV{CONTENT_LENGTH} // '';
        return { %request, problem => $TOO_LONG } if $length !~ /\A[0-9]{1,9}\z/ || $length > $MAX_BODY;
        my $type = $ENV{CONTENT_TYPE} // '';
        return { %request, problem => $UNREADABLE } unless $type =~ m{\Aapplication/x-www-form-urlencoded\b}i;
        binmode STDIN;
        my $body = '';
        while (length $body < $length) {
            my $read = read(STDIN, $body, $length - length $body, length $body);
            return { %request, problem => $UNREADABLE } unless $read;
        }
        $problem ||= parse_pairs($body, qr/&/, $request{form});
    }
    parse_pairs($ENV{HTTP_COOKIE} // '', qr/;\s*/, $request{cookies});
    $request{problem} = $problem;
    return \%request;
}

# Whether the request came over HTTPS, as the web server says (Apache and
# lighttpd "on", some servers "1"); the one place the scripts decide it.
sub secure_request {
    return ($ENV{HTTPS} // '') =~ /\A(?:on|1)\z/i ? 1 : 0;
}

# Fills $into from name=value pairs; the first of a name wins. 'malformed'
# when a name or value is not UTF-8.
sub parse_pairs {
    my ($text, $separator, $into) = @_;
    my $problem;
    for my $pair (split $separator, $text) {
        next if $pair eq '';
        my ($name, $value) = map { from_request(url_decode($_)) } split(/=/, $pair, 2), '';
        if (!defined $name || !defined $value) {
            $problem = $UNREADABLE;
            next;
        }
        $into->{$name} //= $value;
    }
    return $problem;
}

# Every answer is the shop's own: kept by no cache, read only as what it
# says it is, and never shown inside another site's frame.
my @PRIVATE_HEADERS = ('Cache-Control: no-store', 'X-Content-Type-Options: nosniff',
    'Referrer-Policy: same-origin', 'X-Frame-Options: DENY');

sub send_page {
    my ($status, $page, @headers) = @_;
    binmode STDOUT, ':raw';
    print "Status: $status\r\n", map({ "$_\r\n" } @headers, 'Content-Type: text/html; charset=UTF-8', @PRIVATE_HEADERS),
        "\r\n", utf8_bytes($page);
}

# A file for the browser to save as $name (plain characters only) rather
# than show.
sub send_download {
    my ($type, $name, $bytes) = @_;
    binmode STDOUT, ':raw';
    print map({ "$_\r\n" } 'Status: 200 OK', "Content-Type: $type", qq{Content-Disposition: attachment; filename="$name"},
        'Content-Length: ' . length $bytes, @PRIVATE_HEADERS), "\r\n", $bytes;
}

# After a form that changed something: the browser asks for $location, so
# that reloading the page never sends the form again.
sub send_redirect {
    my ($location, @headers) = @_;
    binmode STDOUT, ':raw';
    print "Status: 303 See Other\r\n", map({ "$_\r\n" } @headers), "Location: $location\r\n",
        "Content-Length: 0\r\n\r\n";
}

# A cookie for the scripts' own folder, out of reach of the page's scripts
# and not sent with other sites' requests: with "Lax" (unless $same_site
# says "Strict") it still comes with a link followed from another site.
# Without $max_age it lasts until the browser closes.
sub cookie_header {
    my ($name, $value, $max_age, $same_site) = @_;
    (my $folder = $ENV{SCRIPT_NAME} // '/') =~ s{[^/]*\z}{};
    $folder =~ s{[^A-Za-z0-9/._~-]}{}g;
    my $lasts = defined $max_age ? "; Max-Age=$max_age" : '';
    my $secure = secure_request() ? '; Secure' : '';
    return "Set-Cookie: $name=$value; Path=$folder$lasts; HttpOnly; SameSite=" . ($same_site // 'Lax') . $secure;
}

1;
