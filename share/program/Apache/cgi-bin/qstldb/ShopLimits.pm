package ShopLimits;
# How often something happened lately, for the limits that keep a script
# in a loop from costing the shop its mail, its disk or its administrators'
# access: the times of each kind of event for each key (a client address,
# a mail address) are kept in the data folder's limits folder, in a file
# named by a digest of the key, so that no address appears in a file name.
use strict;
use warnings;
use Digest::SHA qw(sha256_hex);
use Exporter qw(import);
use ShopFiles qw(read_whole write_atomically with_lock make_folder remove_unused);
use ShopText qw(utf8_bytes);

our @EXPORT_OK = qw(recent_events note_event forget_events);

my $KEPT_TIMES  = 64;
my $UNUSED_DAYS = 2;

sub folder { return "$_[0]/limits" }

sub events_file {
    my ($data, $kind, $key) = @_;
    return folder($data) . '/' . substr(sha256_hex(utf8_bytes("$kind\n$key")), 0, 32);
}

sub prepare {
    my ($data) = @_;
    return make_folder(folder($data), 0700) && make_folder("$data/locks");
}

sub read_times {
    my ($path) = @_;
    my $text = read_whole($path, 16 * $KEPT_TIMES) // '';
    return grep { /\A[0-9]{1,12}\z/ } split /\r\n/, $text;
}

# The times (newest last) of the events of $kind for $key in the last
# $seconds.
sub recent_events {
    my ($data, $kind, $key, $seconds) = @_;
    my $since = time - $seconds;
    return grep { $_ > $since } read_times(events_file($data, $kind, $key));
}

# Notes an event now; false when it cannot be written. Only the latest
# times are kept, enough for every limit.
sub note_event {
    my ($data, $kind, $key) = @_;
    prepare($data) or return 0;
    return with_lock("$data/locks/limits", sub {
        remove_unused(folder($data), $UNUSED_DAYS, sub { $_[0] =~ /\A[0-9a-f]{32}\z/ });
        my $path = events_file($data, $kind, $key);
        my @times = (read_times($path), time);
        splice @times, 0, @times - $KEPT_TIMES if @times > $KEPT_TIMES;
        return write_atomically($path, join('', map { "$_\r\n" } @times), 'passing');
    }) ? 1 : 0;
}

sub forget_events {
    my ($data, $kind, $key) = @_;
    my $path = events_file($data, $kind, $key);
    return unless -e $path;
    with_lock("$data/locks/limits", sub { unlink $path });
}

1;
