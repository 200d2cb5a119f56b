package ShopCatalogue;
# The catalogue as the shop manager writes it into the data folder: the
# products, the field definitions, the options and the VAT codes (the
# categories are ShopCategories'). Every text handed out is characters,
# decoded from Windows-1252.
use strict;
use warnings;
use Exporter qw(import);
use ShopFiles qw(each_line);
use ShopText qw(from_catalogue);

our @EXPORT_OK = qw(column_names product_from_line product_from_values read_per_type_fields read_options
    read_vat_rates read_terms is_suppressed type_names field_for_type);

# The columns of shop.data, by position.
our @COLUMNS = ('ID', 'Path', 'Type', 'Options', 'Custom Field 1', 'Custom Field 2', 'Custom Field 3',
    'Unit', 'Price', 'Custom Field 4', 'Custom Field 5', 'Custom Field 6', 'Custom Field 7', 'Weight',
    'Catalogue Number', 'Custom Field 8', 'Custom Field 9', 'Custom Field 10', 'Description', 'Picture',
    'Suppress', 'Tax Code', 'Product Template');

# The same, for modules: a sub, as importing a variable costs every page the
# exporter's slower half.
sub column_names { return @COLUMNS }

# A shop.data line as a product: its fields by column name, its ID, its name
# and its category's path. Undef for a line that names no product.
sub product_from_line {
    my ($line) = @_;
    return product_from_values(split /::/, from_catalogue($line), -1);
}

# The same from the line's values, already split and decoded.
sub product_from_values {
    my @value = @_;
    return undef if @value < 2 || $value[0] !~ /\A-?\d+\z/;
    my ($path, $name) = $value[1] =~ /\A(.*)\|([^|]*)\z/s or return undef;
    my %fields;
    @fields{ @COLUMNS[2 .. $#COLUMNS] } = map { $_ // '' } @value[2 .. $#COLUMNS];
    return { id => $value[0] + 0, category => $path, name => $name, fields => \%fields };
}

# The field definitions mark with a last attribute "Yes" the fields that hold
# one value per product type. Type and Options keep their own meaning, so
# they are never split by type here. The shipped definitions stand in when
# the shop has none.
sub read_per_type_fields {
    my ($data) = @_;
    my %per_type;
    my $found = each_line("$data/fieldinfo.data", sub {
        my ($name, $attributes) = split /=/, $_[0], 2;
        return unless defined $attributes;
        my @tokens = attribute_tokens($attributes);
        $per_type{$name} = 1 if ($tokens[5] // '') eq 'Yes';
    });
    delete @per_type{qw(Type Options)};
    return \%per_type;
}

# A definition's attributes: a comma list whose tokens may be double-quoted
# (a doubled quote standing for one) and otherwise end at a blank.
sub attribute_tokens {
    my ($text) = @_;
    my @tokens;
    pos($text) = 0;
    while (pos($text) < length $text) {
        $text =~ /\G[\x01-\x20]*/gc;
        if ($text =~ /\G"((?:[^"]|"")*)"?/gc) {
            (my $token = $1) =~ s/""/"/g;
            push @tokens, $token;
        } else {
            $text =~ /\G([^,\x01-\x20]*)/gc;
            push @tokens, $1;
        }
        $text =~ /\G[\x01-\x20]*/gc;
        last unless $text =~ /\G,/gc;
        push @tokens, '' if pos($text) == length $text;
    }
    return @tokens;
}

# flavours.txt: one option per line, its name then TAB and each variation.
sub read_options {
    my ($data) = @_;
    my @options;
    each_line("$data/flavours.txt", sub {
        return if $_[0] eq '';
        my ($name, @variations) = map { from_catalogue($_) } split /\t/, $_[0], -1;
        push @options, { name => $name, variations => \@variations };
    });
    return \@options;
}

# shop.tax: code=rate TAB description, the rate as typed. Codes are matched
# without regard to case; a product whose code is not listed is not VAT-able.
sub read_vat_rates {
    my ($data) = @_;
    my %rates;
    each_line("$data/shop.tax", sub {
        my ($code, $value) = split /=/, $_[0], 2;
        return unless defined $value && $code ne '';
        my ($rate) = split /\t/, $value, 2;
        $rates{ lc from_catalogue($code) } //= $rate if defined $rate;
    });
    return \%rates;
}

# termcondition.txt: the shop's terms as lines of text, without the blank
# lines at their end; none when the shop has no terms.
sub read_terms {
    my ($data) = @_;
    my @lines;
    each_line("$data/termcondition.txt", sub { push @lines, from_catalogue($_[0]) });
    pop @lines while @lines && $lines[-1] !~ /\S/;
    return \@lines;
}

# "Suppress" hides a product when it holds anything but an empty value or a
# word for no ("No", "N", "False", "Off", "0").
sub is_suppressed {
    my ($value) = @_;
    return 0 unless defined $value;
    (my $word = lc $value) =~ s/\A\s+|\s+\z//g;
    return $word ne '' && $word !~ /\A(?:no|n|false|off|0)\z/;
}

# The product's type names, from "Type" (names joined by "|"); empty names
# are dropped.
sub type_names {
    my ($product) = @_;
    return grep { /\S/ } split /\|/, $product->{fields}{Type} // '';
}

# A field's value for the type at $type (counted from 0). A field held per
# type gives that type's value, or its first value where the type has none.
sub field_for_type {
    my ($product, $per_type, $field, $type) = @_;
    my $value = $product->{fields}{$field} // '';
    return $value unless $per_type->{$field};
    my @values = split /\|/, $value, -1;
    my $chosen = $values[ $type // 0 ];
    return defined $chosen && $chosen ne '' ? $chosen : $values[0] // '';
}

1;
