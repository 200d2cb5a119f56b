package ShopRandom;
# Random tokens for the names of baskets, sessions and customer records, for
# orders' keys and for the pages' script nonces, and their comparison.
use strict;
use warnings;
use Exporter qw(import);

our @EXPORT_OK = qw(random_hex same_token);

# $bytes random bytes from the system as hexadecimal; a mix of the time, the
# process and Perl's generator only where the system has no /dev/urandom.
sub random_hex {
    my ($bytes) = @_;
    if (open(my $random, '<:raw', '/dev/urandom')) {
        my $got = read($random, my $buffer, $bytes);
        close $random;
        return unpack 'H*', $buffer if defined $got && $got == $bytes;
    }
    require Digest::SHA;
    require Time::HiRes;
    my $mixed = '';
    $mixed .= Digest::SHA::sha256_hex(join ',', Time::HiRes::time(), $$, rand, rand, {}, length $mixed)
        while length $mixed < 2 * $bytes;
    return substr $mixed, 0, 2 * $bytes;
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
