package ShopOrdersCsv;
# All orders as one CSV file for a spreadsheet: a row for every line of
# every order, oldest first, the order's details repeated on each and its
# figures (subtotal, each charge, each VAT row, total) on its first row
# alone, so that a column sums to the orders' total. Amounts are plain
# numbers ("1234.56"). Cells are quoted as RFC 4180 says, and a cell a
# spreadsheet would take for a formula starts with an apostrophe, so that no
# customer's text runs as one; a cell holding ; = + - or @ anywhere is quoted
# too, for the spreadsheets that split on semicolons or read a formula after
# a separator.
use strict;
use warnings;
use Encode qw(encode);
use Exporter qw(import);
use ShopFigures qw(order_figures);
use ShopMoney qw(amount_text);
use ShopOrders qw(list_orders read_order order_value order_lines);

our @EXPORT_OK = qw(orders_csv csv_cell);

my @ORDER_COLUMNS = (['Order', 'order'], ['Date', 'date'], ['Status', 'status'], ['Name', 'name'],
    ['E-mail', 'email'], ['Telephone', 'phone'], ['Address', 'address'], ['Postcode', 'postcode'],
    ['Delivery area', 'area'], ['Payment', 'payment'], ['Currency', 'currency']);
my @FIGURE_COLUMNS = (['Subtotal', 'subtotal'], ['VAT taken off', 'vat_taken_off'], ['Postage', 'postage'],
    ['VAT', 'vat'], ['VAT on postage', 'postage_vat'], ['Total', 'total'], ['Of which VAT', 'vat_included']);
my @LINE_COLUMNS = (['Quantity', 'quantity'], ['Catalogue number', 'number'], ['Product', 'name'],
    ['Type', 'type'], ['Choices', 'choices'], ['Line total', 'total']);

sub csv_cell {
    my ($value) = @_;
    $value //= '';
    $value =~ s/<br>/\r\n/gi;
    # A negative amount is a number to a spreadsheet, not a formula.
    $value = "'$value" if $value =~ /\A[=+\-\@\t\r]/ && $value !~ /\A-[0-9]+\.[0-9][0-9]\z/;
    return $value =~ /[",\r\n;=+\-\@]/ && $value !~ /\A-?[0-9]+\.[0-9][0-9]\z/
        ? '"' . ($value =~ s/"/""/gr) . '"' : $value;
}

sub csv_row { return join(',', map { csv_cell($_) } @_) . "\r\n" }

# The file's bytes: UTF-8, marked as such for spreadsheets that would
# otherwise read it as their own code page.
sub orders_csv {
    my ($data) = @_;
    my $text = "\x{FEFF}" . csv_row(map { $_->[0] } @ORDER_COLUMNS, @FIGURE_COLUMNS, @LINE_COLUMNS);
    for my $number (reverse @{ list_orders($data) }) {
        my $order = read_order($data, $number) or next;
        my @values = map { order_value($order, $_->[1]) } @ORDER_COLUMNS;
        my %figures = map { $_->[3] => amount_text($_->[1]) } @{ order_figures($order) };
        my @figures = map { $figures{ $_->[1] } } @FIGURE_COLUMNS;
        # An order without lines still has its row.
        my @lines = @{ order_lines($order) };
        for my $line (@lines ? @lines : ({})) {
            $text .= csv_row(@values, @figures, map { $line->{ $_->[1] } } @LINE_COLUMNS);
            @figures = map { '' } @figures;
        }
    }
    return encode('UTF-8', $text);
}

1;
