package ShopIndex;
# Finding products without reading the whole of shop.data. The first request
# after the catalogue changes reads shop.data once and files its shown
# products into a folder named after shop.data's size, time and inode:
#
#   lines          the products' lines grouped by category, each ending "\n"
#   categories     "\n" then PATH TAB NUMBER "\n" per category (catalogue bytes)
#   starts         where each category's lines start in "lines", and the end
#                  (packed 32-bit numbers, by category number)
#   order          each product's category number and its place in that
#                  category's lines, in catalogue order (packed pairs)
#   ids            20-byte keys that sort as the IDs' numbers, each followed
#                  by the product's position in catalogue order, sorted
#
# The first search files the words of the columns it looks in into a second
# folder, named after the same and the columns:
#
#   words-C        "\n" then the words of column C (1: the product's name),
#                  lower case, UTF-8, each ending "\n"
#   postings-C     for each of those words, the positions of the products
#                  holding it (BER numbers), and postings-C.at where each
#                  word's list starts (packed, one more than there are words)
#
# Suppressed products are left out of both. Only one request builds each;
# while it does, and whenever an index cannot be built, the lines are read
# from shop.data itself, so a page is slower, never wrong.
use strict;
use warnings;
use Exporter qw(import);
use Fcntl qw(SEEK_SET);
use ShopCatalogue qw(is_suppressed);
use ShopConfig qw(search_fields);
use ShopFiles qw(each_line try_lock make_folder);
use ShopText qw(from_catalogue);

our @EXPORT_OK = qw(current_index word_index category_lines id_line lines_at word_positions);

my $KEY_BYTES = 20;
my $ID_RECORD = $KEY_BYTES + 4;
my $LARGEST   = 0xFFFFFFFF;

# The columns whose words are indexed: the name and the search fields.
sub indexed_columns {
    my ($shop) = @_;
    my %columns = (1 => 1, map { $_->{column} => 1 } @{ search_fields($shop->{settings}) });
    return sort { $a <=> $b } keys %columns;
}

# The folder of the index of shop.data as it stands, built when there is
# none and nobody else is building it; undef otherwise.
sub current_index {
    my ($shop) = @_;
    return $shop->{index} if exists $shop->{index};
    my $catalogue = catalogue_name($shop->{data});
    return $shop->{index} = defined $catalogue
        ? ready_folder($shop->{data}, "index2-$catalogue", sub { build_products($shop->{data}, $_[0]) }) : undef;
}

# The same for the words of the columns the search looks in.
sub word_index {
    my ($shop) = @_;
    return $shop->{words} if exists $shop->{words};
    my $catalogue = catalogue_name($shop->{data});
    my @columns = indexed_columns($shop);
    return $shop->{words} = defined $catalogue ? ready_folder($shop->{data}, "words2-$catalogue-" . join('.', @columns),
        sub { build_words($shop->{data}, $_[0], \@columns) }) : undef;
}

sub catalogue_name {
    my @stat = stat "$_[0]/shop.data" or return undef;
    return "$stat[7]-$stat[9]-$stat[1]";
}

sub ready_folder {
    my ($data, $name, $build) = @_;
    my $folder = "$data/$name";
    return $folder if -e "$folder/complete";
    my ($kind) = $name =~ /\A([a-z]+)/;
    return undef unless make_folder("$data/locks");
    my $built = try_lock("$data/locks/$kind", sub {
        return 1 if -e "$folder/complete";
        return 0 unless $build->("$folder.new-$$");
        return 0 unless write_plainly("$folder.new-$$/complete", '') && rename("$folder.new-$$", $folder);
        remove_old_indexes($data, $folder, $kind);
        return 1;
    });
    remove_folder("$folder.new-$$") unless $built;
    return $built ? $folder : undef;
}

# The shown products' lines of the category at $path (catalogue bytes).
sub category_lines {
    my ($shop, $path) = @_;
    my $folder = current_index($shop);
    my $table = defined $folder ? read_file("$folder/categories") : undef;
    if (defined $table) {
        my $number = category_number($table, $path) // return [];
        my ($start, $end) = numbers_at("$folder/starts", $number, 2);
        my $chunk = defined $end ? bytes_at("$folder/lines", $start, $end - $start) : undef;
        return [split /\n/, $chunk] if defined $chunk;
    }
    return scanned($shop, sub {
        my (undef, $product_path) = id_and_path($_[0]);
        return defined $product_path && $product_path eq $path;
    });
}

# The line of the shown product with that ID, or undef.
sub id_line {
    my ($shop, $id) = @_;
    my $key = id_key($id);
    my $folder = current_index($shop);
    if (defined $folder && defined $key) {
        my $position = find_id("$folder/ids", $key);
        return undef if defined $position && $position < 0;
        if (defined $position) {
            my ($line) = @{ lines_at($folder, [$position]) // [] };
            return $line if defined $line;
        }
    }
    my ($line) = @{ scanned($shop, sub {
        my ($line_id) = id_and_path($_[0]);
        return defined $line_id && defined $key && id_key($line_id) eq $key;
    }) };
    return $line;
}

# The lines of the products at those positions in catalogue order; undef
# when the index cannot be read.
sub lines_at {
    my ($folder, $positions) = @_;
    open(my $order, '<:raw', "$folder/order") or return undef;
    open(my $lines, '<:raw', "$folder/lines") or return undef;
    my @starts = unpack 'N*', read_file("$folder/starts") // return undef;
    my @lines;
    for my $position (@$positions) {
        my ($category, $offset) = unpack 'NN', read_at($order, 8 * $position, 8) // return undef;
        my $start = $starts[$category];
        return undef unless defined $start && seek($lines, $start + $offset, SEEK_SET);
        local $/ = "\n";
        my $line = <$lines>;
        return undef unless defined $line && chomp $line;
        push @lines, $line;
    }
    return \@lines;
}

# The products (as a bit string by position in catalogue order) holding, in
# column $column of the index, a word that contains $word (lower case,
# UTF-8 bytes); undef when the index has no such column.
sub word_positions {
    my ($folder, $column, $word) = @_;
    my $words = read_file("$folder/words-$column") // return undef;
    my $bits = '';
    my ($number, $counted_to, $at, $postings) = (0, 0);
    my $position = index $words, $word;
    while ($position >= 0) {
        $number += substr($words, $counted_to, $position - $counted_to) =~ tr/\n//;
        $counted_to = index $words, "\n", $position;
        $at //= read_file("$folder/postings-$column.at") // return undef;
        open($postings, '<:raw', "$folder/postings-$column") or return undef unless $postings;
        my ($from, $to) = unpack 'NN', substr($at, 4 * ($number - 1), 8);
        vec($bits, $_, 1) = 1 for unpack 'w*', read_at($postings, $from, $to - $from) // return undef;
        $position = index $words, $word, $counted_to;
    }
    return $bits;
}

# Lines of shop.data that $wanted accepts and that are shown.
sub scanned {
    my ($shop, $wanted) = @_;
    my @lines;
    each_line("$shop->{data}/shop.data", sub { push @lines, $_[0] if $wanted->($_[0]) && shown($_[0]) });
    return \@lines;
}

# A line's ID and its category's path, or nothing for a line that names no
# product.
sub id_and_path {
    my ($id, $path_and_name) = split /::/, $_[0], 3;
    return unless defined $path_and_name && $id =~ /\A-?\d+\z/;
    my ($path) = $path_and_name =~ /\A(.*)\|/s or return;
    return ($id, $path);
}

sub shown {
    my @value = split /::/, $_[0], -1;
    return !is_suppressed($value[20]);
}

# A key that sorts, as bytes, as the ID's number does, so that "007" and "7"
# are the same product; undef for an ID of more than 19 digits, which no
# page can ask for.
sub id_key {
    # Most IDs are plain numbers: they need only their noughts before them.
    return '1' . ('0' x ($KEY_BYTES - 1 - length $_[0])) . $_[0] if ($_[0] // q()) =~ /\A[1-9][0-9]{0,18}\z/;
    my ($sign, $digits) = ($_[0] // '') =~ /\A(-?)0*(\d+)\z/ or return undef;
    return undef if length $digits > $KEY_BYTES - 1;
    $digits = ('0' x ($KEY_BYTES - 1 - length $digits)) . $digits;
    return "1$digits" unless $sign && $digits =~ /[1-9]/;
    $digits =~ tr/0-9/9876543210/;
    return "0$digits";
}

# The product's position in catalogue order for $key: the first of equal
# keys, as the catalogue's first line with an ID wins; -1 when there is
# none; undef when the table cannot be read.
sub find_id {
    my ($path, $key) = @_;
    open(my $fh, '<:raw', $path) or return undef;
    my ($low, $high) = (0, int((-s $fh) / $ID_RECORD));
    while ($low < $high) {
        my $middle = int(($low + $high) / 2);
        my $record = read_at($fh, $middle * $ID_RECORD, $KEY_BYTES) // return undef;
        if ($record lt $key) { $low = $middle + 1 } else { $high = $middle }
    }
    my $record = read_at($fh, $low * $ID_RECORD, $ID_RECORD);
    return -1 unless defined $record && substr($record, 0, $KEY_BYTES) eq $key;
    return unpack 'N', substr($record, $KEY_BYTES);
}

sub category_number {
    my ($table, $path) = @_;
    my $position = index $table, "\n$path\t";
    while ($position >= 0) {
        pos($table) = $position + length($path) + 2;
        return $1 if $table =~ /\G(\d+)\n/gc;
        $position = index $table, "\n$path\t", $position + 1;
    }
    return undef;
}

sub numbers_at {
    my ($path, $number, $count) = @_;
    my $bytes = bytes_at($path, 4 * $number, 4 * $count) // return;
    return unpack 'N*', $bytes;
}

sub bytes_at {
    my ($path, $offset, $length) = @_;
    open(my $fh, '<:raw', $path) or return undef;
    return read_at($fh, $offset, $length);
}

# Exactly $length bytes from $offset, or undef.
sub read_at {
    my ($fh, $offset, $length) = @_;
    return undef unless seek($fh, $offset, SEEK_SET);
    my $read = read($fh, my $bytes, $length);
    return defined $read && $read == $length ? $bytes : undef;
}

sub read_file {
    my ($path) = @_;
    open(my $fh, '<:raw', $path) or return undef;
    local $/;
    my $bytes = <$fh>;
    return $bytes // '';
}

# A field as the search reads it, lower case, as UTF-8; its words are what
# lies between blanks, for a searched word holds no blank and so lies within
# one of them. A line of ASCII alone is lowered as it is.
sub field_text {
    my $text = lc from_catalogue($_[0]);
    utf8::encode($text);
    return $text;
}

# Calls $visit with each shown product's line of shop.data, its values, its
# category's path and its name, in catalogue order. False when shop.data
# cannot be read.
sub each_product {
    my ($data, $visit) = @_;
    open(my $fh, '<:raw', "$data/shop.data") or return 0;
    local $/ = "\n";
    while (defined(my $chunk = <$fh>)) {
        $chunk =~ s/(?:\r\n|\n|\r)\z//;
        for my $line ($chunk =~ /\r/ ? split(/\r/, $chunk, -1) : ($chunk)) {
            my @value = split /::/, $line, -1;
            next if @value < 2 || $value[0] !~ /\A-?\d+\z/;
            my ($path, $name) = $value[1] =~ /\A(.*)\|([^|]*)\z/s or next;
            next if defined $value[20] && $value[20] ne '' && is_suppressed($value[20]);
            $visit->($line, \@value, $path, $name);
        }
    }
    close $fh;
    return 1;
}

# The index is only a copy of shop.data: its files are written without
# waiting for the disk, and the folder is renamed into place whole.
sub build_products {
    my ($data, $building) = @_;
    my (%category_of, %lines, @categories, $order, @ids);
    my $position = 0;
    each_product($data, sub {
        my ($line, $value, $path) = @_;
        my $category = $category_of{$path} //= do { push @categories, $path; $#categories };
        $order .= pack 'NN', $category, length($lines{$path} //= '');
        $lines{$path} .= "$line\n";
        my $key = id_key($value->[0]);
        push @ids, $key . pack('N', $position) if defined $key;
        $position++;
    }) or return 0;
    remove_folder($building);
    make_folder($building) or return 0;
    open(my $out, '>:raw', "$building/lines") or return 0;
    my ($starts, $table, $offset) = ('', "\n", 0);
    for my $number (0 .. $#categories) {
        my $path = $categories[$number];
        $starts .= pack 'N', $offset;
        $table .= "$path\t$number\n";
        $offset += length $lines{$path};
        return 0 if $offset > $LARGEST || !print {$out} $lines{$path};
    }
    return close($out) && write_files($building,
        { starts => $starts . pack('N', $offset), categories => $table, order => $order // '', ids => join('', sort @ids) });
}

sub build_words {
    my ($data, $building, $columns) = @_;
    my @fields = grep { $_ != 1 } @$columns;
    my %postings = map { $_ => {} } @$columns;
    my $names = $postings{1};
    my $position = 0;
    each_product($data, sub {
        my ($line, $value, undef, $name) = @_;
        my $posting = pack 'w', $position++;
        my $plain = $line !~ /[\x80-\xFF]/;
        $names->{$_} .= $posting for split ' ', $plain ? lc $name : field_text($name);
        for my $column (@fields) {
            next unless defined $value->[$column] && $value->[$column] ne '';
            $postings{$column}{$_} .= $posting for split ' ', $plain ? lc $value->[$column] : field_text($value->[$column]);
        }
    }) or return 0;
    my %files;
    for my $column (@$columns) {
        my $words = $postings{$column};
        my @words = keys %$words;
        my ($at, $from) = ('', 0);
        for my $word (@words) {
            $at .= pack 'N', $from;
            $from += length $words->{$word};
        }
        return 0 if $from > $LARGEST;
        $files{"words-$column"} = join '', "\n", map { "$_\n" } @words;
        $files{"postings-$column"} = join '', @{$words}{@words};
        $files{"postings-$column.at"} = $at . pack('N', $from);
    }
    remove_folder($building);
    return make_folder($building) && write_files($building, \%files);
}

sub write_files {
    my ($folder, $files) = @_;
    for my $file (sort keys %$files) {
        return 0 unless write_plainly("$folder/$file", $files->{$file});
    }
    return 1;
}

sub write_plainly {
    my ($path, $bytes) = @_;
    open(my $fh, '>:raw', $path) or return 0;
    print {$fh} $bytes or return 0;
    return close $fh;
}

# Earlier indexes of a kind go once the new one stands; a request still
# reading one has long finished by then, and one that has not reads
# shop.data instead.
sub remove_old_indexes {
    my ($data, $keep, $kind) = @_;
    my $old = $kind eq 'index' ? qr/\Aindex(?:-[0-9a-f]{16}|2-[\d.-]+)(?:\.new-\d+)?\z/ : qr/\A\Q$kind\E2-[\d.-]+(?:\.new-\d+)?\z/;
    opendir(my $dir, $data) or return;
    my @old = grep { /$old/ && "$data/$_" ne $keep } readdir $dir;
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
