package ShopRandom;
# Random tokens for the names of baskets, sessions and customer records, for
# orders' keys and for the pages' script nonces, and their comparison.
use strict;
use warnings;
use Exporter qw(import);

our @EXPORT_OK = qw(random_hex same_token);

my $SOURCE = '/dev/urandom';

# $bytes random bytes from the system as hexadecimal. Without the system's
# generator the request stops: identifiers made from the time and the
# process could be guessed, and a guessed basket or session is a customer's
# details or the shop's orders in a stranger's hands.
sub random_hex {
    my ($bytes) = @_;
    open(my $random, '<:raw', $SOURCE) or die "$SOURCE cannot be read, so the shop makes no identifiers\n";
    my $got = read($random, my $buffer, $bytes);
    close $random;
    die "$SOURCE gave too few bytes, so the shop makes no identifiers\n" unless defined $got && $got == $bytes;
    return unpack 'H*', $buffer;
}

# Whether a token given matches the one kept, in a time that does not tell
# how much of it matched.
sub same_token {
    my ($given, $kept) = @_;
    return 0 unless defined $given && defined $kept && length $given == length $kept && length $kept;
    my $difference = 0;
    $difference |= ord(substr $given, $_, 1) ^ ord(substr $kept, $_, 1) for 0 .. length($kept) - 1;
    return $difference == 0;
}

1;
