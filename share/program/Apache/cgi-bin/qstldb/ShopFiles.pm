package ShopFiles;
# Reading and writing the shop's files: lines with any line end, whole files
# replaced atomically, and locks that serialise writers.
use strict;
use warnings;
use Exporter qw(import);
use Fcntl qw(LOCK_EX LOCK_NB O_WRONLY O_CREAT O_EXCL);

our @EXPORT_OK = qw(each_line read_whole write_atomically with_lock try_lock make_folder remove_unused);

# Calls $visit for every line of a file. The files come from Windows as often
# as not, so a line may end in CR LF, LF or a lone CR. False when the file
# cannot be opened.
sub each_line {
    my ($path, $visit) = @_;
    open(my $fh, '<:raw', $path) or return 0;
    while (defined(my $chunk = <$fh>)) {
        $chunk =~ s/(?:\r\n|\n|\r)\z//;
        $visit->($_) for (length $chunk ? split(/\r/, $chunk, -1) : (''));
    }
    close $fh;
    return 1;
}

# The bytes of a file, undef when it cannot be read or is longer than $limit.
sub read_whole {
    my ($path, $limit) = @_;
    open(my $fh, '<:raw', $path) or return undef;
    return undef if defined $limit && -s $fh > $limit;
    local $/;
    my $bytes = <$fh>;
    close $fh;
    return $bytes // '';
}

# Replaces a file by one holding $bytes: written beside it, flushed to the
# disk, then renamed over it, so a reader finds the old file or the new one,
# never a part. False, with the old file untouched, when anything fails.
# What the scripts write (orders, baskets, customers' details) is for the
# shop's own user and group: never readable by the host's other users.
# $passing (a count that need not outlive a crash of the host) skips the
# wait for the disk, which every writer under the same lock would share.
sub write_atomically {
    my ($path, $bytes, $passing) = @_;
    require IO::Handle;
    my $temporary = sprintf '%s.new-%d-%d', $path, $$, int rand 1e9;
    my $fh;
    my $written = sysopen($fh, $temporary, O_WRONLY | O_CREAT | O_EXCL, 0640)
        && binmode($fh)
        && print({$fh} $bytes)
        && $fh->flush
        && ($passing || $fh->sync)
        && close($fh)
        && rename($temporary, $path);
    unlink $temporary unless $written;
    return $written ? 1 : 0;
}

# Runs $work holding an exclusive lock on $lock_path; returns what $work
# returns, or an empty list when the lock cannot be taken.
sub with_lock { return locked(LOCK_EX, @_) }

# The same when nobody else holds the lock; an empty list at once when
# somebody does.
sub try_lock { return locked(LOCK_EX | LOCK_NB, @_) }

sub locked {
    my ($how, $lock_path, $work) = @_;
    open(my $lock, '>>', $lock_path) or return;
    flock($lock, $how) or return;
    my @result = $work->();
    close $lock;
    return wantarray ? @result : $result[0];
}

# A folder, made when it is not there; $mode (0770 unless given: the names
# of the files in it are secrets too) for a new one.
sub make_folder {
    my ($path, $mode) = @_;
    return -d $path || mkdir($path, $mode // 0770) || -d $path;
}

# Removes the files of $folder whose names $named accepts and that nobody
# has used for more than $days days; looked for at most once a day, marked
# by the folder's "last-sweep" file.
sub remove_unused {
    my ($folder, $days, $named) = @_;
    my $mark = "$folder/last-sweep";
    return if -e $mark && -M $mark < 1;
    write_atomically($mark, '');
    opendir(my $dir, $folder) or return;
    unlink grep { -M $_ > $days } map { "$folder/$_" } grep { $named->($_) } readdir $dir;
    closedir $dir;
}

1;
