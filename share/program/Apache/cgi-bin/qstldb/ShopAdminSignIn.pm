package ShopAdminSignIn;
# Signing in to the administrators' pages with the user ID and password the
# shop manager writes into admin.pass beside the scripts: its first line,
# "userid=password" in Windows-1252, the user ID ending at the first "=".
# The exported file holds, in place of the password, a salted PBKDF2 digest
# of it: "{PBKDF2-SHA256}ROUNDS$SALT$DIGEST" (hexadecimal salt and digest),
# so that whoever reads the file on the host still does not have the
# password. Without both there is no signing in at all.
#
# Wrong tries are counted per client address, as the web server saw it (a
# header the client sets proves nothing): after five, that address is held
# back for a minute, then for twice as long after each further wrong try, up
# to an hour, while the administrators sign in at once from anywhere else.
# Guesses spread over many addresses meet a short wait after every wrong
# try of the account: seconds, never a lock.
use strict;
use warnings;
use Digest::SHA qw(hmac_sha256);
use Exporter qw(import);
use ShopAdminSession qw(prepare_sessions new_session same_secret);
use ShopFiles qw(read_whole with_lock);
use ShopLimits qw(recent_events note_event forget_events);
use ShopText qw(to_catalogue);

our @EXPORT_OK = qw(admin_account sign_in password_digest $MAX_FAILURES);

our $MAX_FAILURES      = 5;
my $FIRST_HOLD_SECONDS = 60;
my $LONGEST_HOLD       = 3600;
my $COUNT_SECONDS      = 24 * 3600;
my $ACCOUNT_WAIT       = 2;
my $MAX_PASS_FILE      = 4096;

# The user ID and the password (or its digest) as bytes; an empty list when
# sign-in is off.
sub admin_account {
    my ($script_folder) = @_;
    my $bytes = read_whole("$script_folder/admin.pass", $MAX_PASS_FILE) // return;
    my ($id, $password) = split /=/, ($bytes =~ /\A([^\r\n]*)/)[0], 2;
    return unless defined $password && $id ne '' && $password ne '';
    return ($id, $password);
}

# PBKDF2 with HMAC-SHA-256: the 32-byte key of $password (bytes) from the
# salt (bytes) in $rounds rounds, in hexadecimal.
sub password_digest {
    my ($password, $salt, $rounds) = @_;
    my $block = hmac_sha256($salt . pack('N', 1), $password);
    my $key = $block;
    for (2 .. $rounds) {
        $block = hmac_sha256($block, $password);
        $key ^= $block;
    }
    return unpack 'H*', $key;
}

# Whether the typed password (bytes) is the account's: against the digest
# the export writes, or against the password itself as the shop manager
# keeps it on the merchant's own computer.
sub password_matches {
    my ($typed, $kept) = @_;
    if (my ($rounds, $salt, $digest) = $kept =~ /\A\{PBKDF2-SHA256\}([0-9]{1,7})\$([0-9a-f]{8,64})\$([0-9a-f]{64})\z/) {
        return $rounds >= 1 && same_secret(password_digest($typed, pack('H*', $salt), $rounds), $digest);
    }
    return same_secret($typed, $kept);
}

sub client_address {
    my $address = $ENV{REMOTE_ADDR} // '';
    return $address =~ /\A[0-9A-Fa-f.:]{1,45}\z/ ? $address : 'unknown';
}

# Seconds an address that has made $failures wrong tries is held back.
sub hold_seconds {
    my ($failures) = @_;
    return 0 if $failures < $MAX_FAILURES;
    my $seconds = $FIRST_HOLD_SECONDS * 2 ** ($failures - $MAX_FAILURES < 12 ? $failures - $MAX_FAILURES : 12);
    return $seconds > $LONGEST_HOLD ? $LONGEST_HOLD : $seconds;
}

# Tries the typed user ID and password (characters). Answers
# ('signed in', session token), ('wrong', tries left before this address is
# held back), ('held back', seconds left), ('off') without an account, or
# ('failed') when the data folder cannot be written.
sub sign_in {
    my ($shop, $typed_id, $typed_password) = @_;
    my ($id, $password) = admin_account($shop->{folder}) or return ('off');
    my $data = $shop->{data};
    my $address = client_address();
    prepare_sessions($data) or return ('failed');
    my @failures = recent_events($data, 'sign-in', $address, $COUNT_SECONDS);
    my $held = @failures ? $failures[-1] + hold_seconds(scalar @failures) - time : 0;
    return ('held back', $held) if $held > 0;
    my @answer = with_lock("$data/locks/sign-in", sub {
        my ($last) = reverse recent_events($data, 'sign-in', 'the account', $ACCOUNT_WAIT);
        sleep $last + $ACCOUNT_WAIT - time if defined $last && $last + $ACCOUNT_WAIT > time;
        my @typed = map { to_catalogue($_ // '') } $typed_id, $typed_password;
        # Both are checked whatever the first gives, so that the time taken
        # does not tell a right user ID.
        my $right = grep({ !defined } @typed) ? 0
            : (same_secret($typed[0], $id) ? 1 : 0) + (password_matches($typed[1], $password) ? 1 : 0);
        if ($right == 2) {
            forget_events($data, 'sign-in', $address);
            my $session = new_session($data);
            return defined $session ? ('signed in', $session) : ('failed');
        }
        note_event($data, 'sign-in', $address) && note_event($data, 'sign-in', 'the account') or return ('failed');
        my $count = @failures + 1;
        return $count >= $MAX_FAILURES ? ('held back', hold_seconds($count)) : ('wrong', $MAX_FAILURES - $count);
    });
    return @answer ? @answer : ('failed');
}

1;
