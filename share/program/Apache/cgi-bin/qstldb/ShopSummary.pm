package ShopSummary;
# What an order costs: its lines as priced, the postage, the VAT and the
# total, worked out in whole pence so that the summary's figures always add
# up to its total.
#
# VAT ("taxaction"): "ignore" charges none. "include": prices hold the VAT of
# their product's rate; to an area that is not VAT liable the VAT held in
# them is taken off. Anything else: the VAT is added, to VAT-liable areas
# only. Each line's VAT is rounded half up on its own. Postage charges hold
# no VAT unless "postvatinc" is "yes"; otherwise, to a VAT-liable area, VAT
# is charged on them at the goods' own average rate.
use strict;
use warnings;
use Exporter qw(import);
use ShopMoney qw(percent_of vat_within share_of);
use ShopPostage qw(postage);
use ShopVat qw(vat_rate);

our @EXPORT_OK = qw(price_order);

# $lines: [{ total (pence, as priced), weight (thousandths, the line's
# whole weight), tax_code }]. Returns { subtotal, postage, vat, total,
# vatmode ("added", "included", "removed" or "none"), line_vat => [pence
# per line], rows => [[label, pence, adds]], postage_method, problem }:
# the rows that add make the total.
sub price_order {
    my ($shop, $lines, $area) = @_;
    my $action = lc($shop->{settings}{taxaction} // '');
    my $mode = $action eq 'ignore' ? 'none' : $action eq 'include' ? ($area->{liable} ? 'included' : 'removed')
             : $area->{liable} ? 'added' : 'none';
    my ($subtotal, $weight, $goods_vat, @line_vat) = (0, 0, 0);
    for my $line (@$lines) {
        my $rate = $action eq 'ignore' ? undef : vat_rate($shop, $line->{tax_code}, $area);
        my $vat = !defined $rate ? 0 : $action eq 'include' ? vat_within($line->{total}, $rate)
                : $area->{liable} ? percent_of($line->{total}, $rate) : 0;
        push @line_vat, $vat;
        $goods_vat += $vat;
        $subtotal += $line->{total};
        $weight += $line->{weight} // 0;
    }
    my $net_goods = $action eq 'include' ? $subtotal - $goods_vat : $subtotal;
    my $charge = postage($shop, $area, $weight, $subtotal);
    my $postage = $charge->{pence} // 0;
    my $postage_vat = $mode eq 'added' || $mode eq 'included'
        ? (lc($shop->{settings}{postvatinc} // '') eq 'yes' ? 0 : share_of($postage, $goods_vat, $net_goods)) : 0;
    my @rows = (['Subtotal', $subtotal, 1]);
    push @rows, ['VAT taken off (not charged outside the VAT area)', -$goods_vat, 1] if $mode eq 'removed' && $goods_vat;
    push @rows, [$charge->{method} eq 'none' ? 'Postage (no charge)' : 'Postage', $postage, 1];
    push @rows, ['VAT', $goods_vat + $postage_vat, 1] if $mode eq 'added';
    push @rows, ['VAT on postage', $postage_vat, 1] if $mode eq 'included' && $postage_vat;
    my $total = 0;
    $total += $_->[1] for grep { $_->[2] } @rows;
    push @rows, ['Total', $total, 0];
    push @rows, ['of which VAT', $goods_vat + $postage_vat, 0] if $mode eq 'included';
    return {
        subtotal => $subtotal, postage => $postage, total => $total, vatmode => $mode, rows => \@rows,
        vat => $mode eq 'added' || $mode eq 'included' ? $goods_vat + $postage_vat : 0,
        line_vat => $mode eq 'added' || $mode eq 'included' ? \@line_vat : [map { 0 } @line_vat],
        postage_method => $charge->{method}, problem => $charge->{problem},
    };
}

1;
