package ShopConfig;
# The shop's settings (qstl2.cfg beside the scripts) and its data folder.
use strict;
use warnings;
use Exporter qw(import);
use ShopCatalogue qw(column_names);
use ShopFiles qw(each_line);
use ShopText qw(from_catalogue);

our @EXPORT_OK = qw(read_settings data_folder setting_word search_fields);

# name=value lines; names match without regard to case and the first line of
# a name wins, as in the shop manager. Values are characters.
sub read_settings {
    my ($script_folder) = @_;
    my %settings;
    each_line("$script_folder/qstl2.cfg", sub {
        my ($name, $value) = split /=/, $_[0], 2;
        $settings{ lc $name } //= from_catalogue($value) if defined $value;
    });
    return \%settings;
}

# A setting that holds one of a few fixed words (taxaction, shipmethod,
# postvatinc and the like), read by one rule everywhere: without regard to
# case or the blanks around it. Empty when the setting is not there.
sub setting_word {
    my ($settings, $name) = @_;
    return lc($settings->{$name} // '') =~ s/\A\s+|\s+\z//gr;
}

# PATH names the data folder, relative to the scripts or absolute.
sub data_folder {
    my ($settings, $script_folder) = @_;
    my $path = $settings->{path} // '';
    $path = 'data' if $path eq '';
    return $path =~ m{\A(?:/|[A-Za-z]:[\\/])} ? $path : "$script_folder/$path";
}

# searchfields: entries "column:label" joined by ","; a column that is not a
# product field of shop.data is left out, an entry without a label is
# offered under the field's name.
sub search_fields {
    my ($settings) = @_;
    my @columns = column_names();
    my (@fields, %seen);
    for my $entry (split /,/, $settings->{searchfields} // '') {
        my ($position, $label) = split /:/, $entry, 3;
        my ($column) = ($position // '') =~ /\A\s*(\d{1,3})\s*\z/ or next;
        next if $column < 2 || $column > $#columns || $seen{ $column + 0 }++;
        $label = $columns[$column] unless defined $label && $label =~ /\S/;
        push @fields, { column => $column + 0, name => $columns[$column], label => $label };
    }
    return \@fields;
}

1;
