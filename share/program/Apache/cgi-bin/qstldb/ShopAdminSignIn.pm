package ShopAdminSignIn;
# Signing in to the administrators' pages with the user ID and password the
# shop manager writes into admin.pass beside the scripts: its first line,
# "userid=password" in Windows-1252, the user ID ending at the first "=".
# Without both there is no signing in at all. Five wrong tries in a row lock
# the sign-in for everyone for fifteen minutes: behind proxies one address
# is many people and one person many addresses.
use strict;
use warnings;
use Exporter qw(import);
use ShopAdminSession qw(sessions_folder prepare_sessions new_session same_secret);
use ShopFiles qw(read_whole write_atomically with_lock);
use ShopText qw(to_catalogue);

our @EXPORT_OK = qw(admin_account sign_in $MAX_FAILURES $LOCK_SECONDS);

our $MAX_FAILURES = 5;
our $LOCK_SECONDS = 15 * 60;
my $MAX_PASS_FILE = 4096;

# The user ID and password as bytes; an empty list when sign-in is off.
sub admin_account {
    my ($script_folder) = @_;
    my $bytes = read_whole("$script_folder/admin.pass", $MAX_PASS_FILE) // return;
    my ($id, $password) = split /=/, ($bytes =~ /\A([^\r\n]*)/)[0], 2;
    return unless defined $password && $id ne '' && $password ne '';
    return ($id, $password);
}

sub failures_file { return sessions_folder($_[0]) . '/sign-in-failures' }

# The wrong tries in a row and the time of the last; a try more than the
# lock's length after the last starts the count again.
sub read_failures {
    my ($data) = @_;
    my $text = read_whole(failures_file($data), 64) // '';
    my ($count, $last) = $text =~ /\A(\d{1,3}) (\d{1,12})\r?\n?\z/ ? ($1, $2) : (0, 0);
    return time - $last >= $LOCK_SECONDS ? (0, 0) : ($count, $last);
}

# Tries the typed user ID and password (characters). Answers
# ('signed in', session token), ('wrong', tries left before the lock),
# ('locked', seconds left), ('off') without an account, or ('failed') when
# the data folder cannot be written.
sub sign_in {
    my ($shop, $typed_id, $typed_password) = @_;
    my ($id, $password) = admin_account($shop->{folder}) or return ('off');
    my $data = $shop->{data};
    prepare_sessions($data) or return ('failed');
    my @answer = with_lock("$data/locks/sign-in", sub {
        my ($count, $last) = read_failures($data);
        return ('locked', $last + $LOCK_SECONDS - time) if $count >= $MAX_FAILURES;
        # Neither the user ID nor the password holds a line break, so the
        # joined pair can only match the pair.
        my @typed = map { to_catalogue($_ // '') } $typed_id, $typed_password;
        if (!grep({ !defined } @typed) && same_secret(join("\n", @typed), "$id\n$password")) {
            unlink failures_file($data) if $count;
            my $session = new_session($data);
            return defined $session ? ('signed in', $session) : ('failed');
        }
        $count++;
        write_atomically(failures_file($data), "$count " . time . "\r\n") or return ('failed');
        return $count >= $MAX_FAILURES ? ('locked', $LOCK_SECONDS) : ('wrong', $MAX_FAILURES - $count);
    });
    return @answer ? @answer : ('failed');
}

1;
