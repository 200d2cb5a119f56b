package ShopAdminSession;
# The administrators' sessions. A random token in the browser's "admin"
# cookie names a file in the data folder's sessions folder holding the time
# the session was last used; it ends at sign-out or after an hour unused.
# Every form that changes something carries a second token, made from the
# session's with the shop's secret, which no other site can know or make.
use strict;
use warnings;
use Digest::SHA qw(hmac_sha256_hex);
use Encode qw(encode);
use Exporter qw(import);
use ShopFiles qw(read_whole write_atomically with_lock make_folder);
use ShopRandom qw(random_hex);
use ShopSecret qw(shop_signature);

our @EXPORT_OK = qw(sessions_folder prepare_sessions new_session open_session end_session form_token
    same_secret $IDLE_SECONDS);

our $IDLE_SECONDS = 3600;

sub sessions_folder { return "$_[0]/sessions" }

sub valid_token {
    my ($token) = @_;
    return defined $token && $token =~ /\A[0-9a-f]{32}\z/ ? $token : undef;
}

sub session_file { return sessions_folder($_[0]) . "/$_[1]" }

# The sessions folder, readable by the scripts' own user alone, and the
# locks folder; false when they cannot be made.
sub prepare_sessions {
    my ($data) = @_;
    return make_folder(sessions_folder($data), 0700) && make_folder("$data/locks");
}

sub with_sessions_lock {
    my ($data, $work) = @_;
    prepare_sessions($data) or return;
    return with_lock("$data/locks/sessions", $work);
}

# Whether two texts are the same, found in a time that does not tell where
# they differ: the digests of both under a key of the moment are compared.
sub same_secret {
    my ($one, $other) = @_;
    my $key = random_hex(32);
    return hmac_sha256_hex(encode('UTF-8', $one), $key) eq hmac_sha256_hex(encode('UTF-8', $other), $key);
}

# The last use written in a session file; 0 for a damaged file, undef when
# there is none.
sub last_use {
    my ($path) = @_;
    my $text = read_whole($path, 64) // return undef;
    return $text =~ /\A([0-9]{1,12})\r?\n?\z/ ? $1 : 0;
}

sub expired { return time - $_[0] >= $IDLE_SECONDS }

sub remove_expired_sessions {
    my ($data) = @_;
    opendir(my $dir, sessions_folder($data)) or return;
    for my $token (grep { valid_token($_) } readdir $dir) {
        my $last = last_use(session_file($data, $token));
        unlink session_file($data, $token) if defined $last && expired($last);
    }
    closedir $dir;
}

# A new session's token (sessions that have run out are cleared away first);
# undef when it cannot be written.
sub new_session {
    my ($data) = @_;
    return with_sessions_lock($data, sub {
        remove_expired_sessions($data);
        my $token = random_hex(16);
        return write_atomically(session_file($data, $token), time . "\r\n") ? $token : undef;
    });
}

# The token when it names a session still open, whose last use is then
# moved on to now; undef otherwise, and a session that has run out is
# removed.
sub open_session {
    my ($data, $token) = @_;
    $token = valid_token($token) // return undef;
    return undef unless -e session_file($data, $token);
    return with_sessions_lock($data, sub {
        my $path = session_file($data, $token);
        my $last = last_use($path) // return undef;
        if (expired($last)) {
            unlink $path;
            return undef;
        }
        return write_atomically($path, time . "\r\n") ? $token : undef;
    });
}

sub end_session {
    my ($data, $token) = @_;
    $token = valid_token($token) // return;
    with_sessions_lock($data, sub { unlink session_file($data, $token) });
}

# The token the forms of a session carry.
sub form_token {
    my ($data, $session) = @_;
    return shop_signature($data, '', $session);
}

1;
