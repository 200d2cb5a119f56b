package ShopSecret;
# The shop's secret, made the first time it is needed and kept in the
# sessions folder, readable by the scripts' own user alone. Whatever the shop
# signs with it (the identifiers it issues, the tokens its forms carry) no
# other site can make. Each use signs under a purpose of its own, so that a
# signature made for one thing never passes for another.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(read_whole write_atomically with_lock make_folder);
use ShopRandom qw(random_hex);
use ShopText qw(utf8_bytes);

our @EXPORT_OK = qw(shop_signature);

sub secret_path { return "$_[0]/sessions/secret" }

sub read_secret {
    my ($data) = @_;
    my $text = read_whole(secret_path($data), 256) // '';
    return $text =~ /\A([0-9a-f]{64})\r?\n?\z/ ? $1 : undef;
}

sub shop_secret {
    my ($data) = @_;
    return read_secret($data) // do {
        make_folder("$data/sessions", 0700) && make_folder("$data/locks")
            or die "the shop's secret cannot be written in $data/sessions\n";
        with_lock("$data/locks/sessions", sub {
            my $made = read_secret($data);
            return $made if defined $made;
            my $secret = random_hex(32);
            return write_atomically(secret_path($data), "$secret\r\n") ? $secret : undef;
        }) // die "the shop's secret cannot be written in $data/sessions\n";
    };
}

# The signature of $text for $purpose ('' for the administrators' forms,
# whose tokens were made so before purposes were told apart).
sub shop_signature {
    my ($data, $purpose, $text) = @_;
    my $signed = $purpose eq '' ? $text : "$purpose\n$text";
    # Loaded here: most pages of a customer new to the shop sign nothing.
    require Digest::SHA;
    return Digest::SHA::hmac_sha256_hex(utf8_bytes($signed), shop_secret($data));
}

1;
