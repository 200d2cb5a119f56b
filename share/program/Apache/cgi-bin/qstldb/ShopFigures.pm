package ShopFigures;
# An order's figures: the labelled rows its summary showed (subtotal, each
# charge, each VAT row added or taken off, the total, and what the total
# holds), as the order file keeps them and every record of the order prints
# them. Nothing here works a charge out again.
#
# In an order file each row is a "figure" entry: its key, its amount ("12.34",
# "-2.15") and its label, separated by TAB. Orders placed before the figures
# were kept have only "subtotal", "postage", "vat", "vatmode" and "total";
# their rows are read from those.
use strict;
use warnings;
use Exporter qw(import);
use ShopMoney qw(amount_text signed_pence);

our @EXPORT_OK = qw(figure figure_pairs order_figures @FIGURE_KEYS %FIGURE_LABEL);

# In the order the rows come.
our @FIGURE_KEYS = qw(subtotal vat_taken_off postage vat postage_vat total vat_included);
our %FIGURE_LABEL = (subtotal => 'Subtotal', vat_taken_off => 'VAT taken off (not charged outside the VAT area)',
    postage => 'Postage', vat => 'VAT', postage_vat => 'VAT on postage', total => 'Total', vat_included => 'of which VAT');

# "adds" for the rows that make the total, "total", or "note" for what the
# total holds.
my %KIND = (total => 'total', vat_included => 'note');

# A row: [label, pence, kind, key].
sub figure {
    my ($key, $pence, $label) = @_;
    return [$label // $FIGURE_LABEL{$key}, $pence, $KIND{$key} // 'adds', $key];
}

# The rows as [name, value] pairs of an order file.
sub figure_pairs {
    my ($rows) = @_;
    return map { ['figure', join "\t", $_->[3], amount_text($_->[1]), $_->[0]] } @$rows;
}

sub value_of {
    my ($order, $name) = @_;
    for my $pair (@{ $order->{pairs} }) { return $pair->[1] if $pair->[0] eq $name }
    return undef;
}

# The order's rows as the customer saw them; an entry that cannot be read is
# left out.
sub order_figures {
    my ($order) = @_;
    my @rows;
    for my $pair (grep { $_->[0] eq 'figure' } @{ $order->{pairs} }) {
        my ($key, $amount, $label) = split /\t/, $pair->[1], 3;
        my $pence = signed_pence($amount);
        push @rows, figure($key, $pence, $label // $key) if defined $pence && exists $FIGURE_LABEL{$key};
    }
    return @rows ? \@rows : earlier_figures($order);
}

# An order placed before the figures were kept: its subtotal, postage, VAT
# and total, and, where the total holds more than those (VAT taken off, VAT
# on postage of a VAT-inclusive order), the difference as the row it was.
sub earlier_figures {
    my ($order) = @_;
    my %pence = map { $_ => signed_pence(value_of($order, $_)) } qw(subtotal postage vat total);
    my $mode = value_of($order, 'vatmode') // '';
    my @rows = grep { defined $_->[1] } figure(subtotal => $pence{subtotal}), figure(postage => $pence{postage}),
        ($mode eq 'added' ? figure(vat => $pence{vat}) : ());
    return \@rows unless defined $pence{total};
    my $difference = $pence{total};
    $difference -= $_->[1] for @rows;
    my $held = { removed => 'vat_taken_off', included => 'postage_vat' }->{$mode};
    splice @rows, ($held eq 'vat_taken_off' && @rows ? 1 : scalar @rows), 0, figure($held => $difference)
        if $held && $difference;
    push @rows, figure(total => $pence{total});
    push @rows, figure(vat_included => $pence{vat}) if $mode eq 'included' && defined $pence{vat};
    return \@rows;
}

1;
