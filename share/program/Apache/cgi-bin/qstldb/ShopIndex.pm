package ShopIndex;
# Finding products without reading the whole of shop.data: the first request
# after the catalogue changes files the products' lines by category and by ID
# into a folder named after shop.data's size and time, and later requests read
# only the file they need. Suppressed products are left out of the index.
# Whenever the index cannot be built the lines are read from shop.data itself,
# so a page is slower, never wrong.
use strict;
use warnings;
use Digest::MD5 qw(md5_hex);
use Exporter qw(import);
use ShopCatalogue qw(is_suppressed);
use ShopFiles qw(each_line with_lock make_folder);

our @EXPORT_OK = qw(category_lines id_line);

my $BUCKETS = 256;

sub category_file { return 'c-' . md5_hex($_[0]) }
sub id_file       { return 'i-' . (abs($_[0]) % $BUCKETS) }

# The shown products' lines of the category at $path (catalogue bytes).
sub category_lines {
    my ($data, $path) = @_;
    return lines_from($data, category_file($path), sub {
        my (undef, $product_path) = id_and_path($_[0]);
        return defined $product_path && $product_path eq $path;
    });
}

# The line of the shown product with that ID, or undef.
sub id_line {
    my ($data, $id) = @_;
    my ($line) = @{ lines_from($data, id_file($id), sub {
        my ($line_id) = id_and_path($_[0]);
        return defined $line_id && $line_id == $id;
    }) };
    return $line;
}

# A line's ID and its category's path, or nothing for a line that names no
# product.
sub id_and_path {
    my ($id, $path_and_name) = split /::/, $_[0], 3;
    return unless defined $path_and_name && $id =~ /\A-?\d+\z/;
    my ($path) = $path_and_name =~ /\A(.*)\|/s or return;
    return ($id, $path);
}

sub lines_from {
    my ($data, $file, $wanted) = @_;
    my @lines;
    my $folder = current_folder($data);
    if (defined $folder && open(my $fh, '<:raw', "$folder/$file")) {
        local $/ = "\r\n";
        while (defined(my $line = <$fh>)) {
            chomp $line;
            push @lines, $line if $wanted->($line);
        }
        close $fh;
        return \@lines;
    }
    return \@lines if defined $folder && !-e "$folder/$file";
    each_line("$data/shop.data", sub { push @lines, $_[0] if $wanted->($_[0]) && shown($_[0]) });
    return \@lines;
}

sub shown {
    my @value = split /::/, $_[0], -1;
    return !is_suppressed($value[20]);
}

# The folder holding the index of shop.data as it stands, built when there is
# none; undef when there is no catalogue or the index cannot be built.
sub current_folder {
    my ($data) = @_;
    my @stat = stat "$data/shop.data" or return undef;
    my $name = 'index-' . substr(md5_hex("1 $stat[7] $stat[9] $stat[1]"), 0, 16);
    my $folder = "$data/$name";
    return $folder if -e "$folder/complete";
    make_folder("$data/locks") or return undef;
    return with_lock("$data/locks/index", sub {
        return $folder if -e "$folder/complete";
        return build($data, $folder) ? $folder : undef;
    });
}

sub build {
    my ($data, $folder) = @_;
    my (%by_category, %by_id);
    my $read = each_line("$data/shop.data", sub {
        my ($id, $path) = id_and_path($_[0]) or return;
        return unless shown($_[0]);
        push @{ $by_category{ category_file($path) } }, $_[0];
        push @{ $by_id{ id_file($id) } }, $_[0];
    });
    return 0 unless $read;
    my $building = "$folder.new-$$";
    remove_folder($building);
    make_folder($building) or return 0;
    # The index is only a copy of shop.data: its files are written without
    # waiting for the disk, and the folder is renamed into place whole.
    for my $files (\%by_category, \%by_id) {
        while (my ($file, $lines) = each %$files) {
            return failed($building) unless write_plainly("$building/$file", join('', map { "$_\r\n" } @$lines));
        }
    }
    return failed($building) unless write_plainly("$building/complete", '') && rename($building, $folder);
    remove_old_indexes($data, $folder);
    return 1;
}

sub write_plainly {
    my ($path, $bytes) = @_;
    open(my $fh, '>:raw', $path) or return 0;
    print {$fh} $bytes or return 0;
    return close $fh;
}

sub failed {
    remove_folder($_[0]);
    return 0;
}

# Earlier indexes go once the new one stands; a request still reading one
# has long finished by then.
sub remove_old_indexes {
    my ($data, $keep) = @_;
    opendir(my $dir, $data) or return;
    my @old = grep { /\Aindex-[0-9a-f]{16}(?:\.new-\d+)?\z/ && "$data/$_" ne $keep } readdir $dir;
    closedir $dir;
    remove_folder("$data/$_") for @old;
}

sub remove_folder {
    my ($folder) = @_;
    opendir(my $dir, $folder) or return;
    unlink map { "$folder/$_" } grep { !/\A\.\.?\z/ } readdir $dir;
    closedir $dir;
    rmdir $folder;
}

1;
