package ShopSummary;
# What an order costs: its lines as priced, the postage, the VAT and the
# total, worked out in whole pence once, as a list of labelled rows that
# every record of the order prints as it stands.
#
# VAT ("taxaction"): "ignore" charges none. "include": prices hold the VAT of
# their product's rate; to an area that is not VAT liable the VAT held in
# them is taken off. Anything else: the VAT is added, to VAT-liable areas
# only. Each line's VAT is rounded half up on its own. Postage charges hold
# no VAT when "postvatinc" is "yes"; otherwise, to a VAT-liable area, VAT
# is charged on them at the goods' own average rate. Setting words are read
# without regard to case.
use strict;
use warnings;
use Exporter qw(import);
use ShopConfig qw(setting_word);
use ShopFigures qw(figure);
use ShopMoney qw(percent_of vat_within share_of);
use ShopPostage qw(postage);
use ShopVat qw(vat_rate);

our @EXPORT_OK = qw(price_order);

my $CANNOT_WORK_OUT_VAT = 'Sorry, we cannot work out the VAT of this order as this shop is set up: '
    . 'please contact us and we will put it right.';

# $lines: [{ total (pence, as priced), weight (millionths, the line's whole
# weight), tax_code }]. Returns { subtotal, postage, vat (charged), total,
# vatmode ("added", "included", "removed" or "none"), line_vat => [pence
# per line], rows => [[label, pence, kind, key]] (see ShopFigures),
# postage_method, problem }. When the order cannot be charged (problem), the
# rows hold the subtotal alone and there is no total.
sub price_order {
    my ($shop, $lines, $area) = @_;
    my $action = setting_word($shop->{settings}, 'taxaction');
    my $mode = $action eq 'ignore' ? 'none' : $action eq 'include' ? ($area->{liable} ? 'included' : 'removed')
             : $area->{liable} ? 'added' : 'none';
    my ($subtotal, $weight, $goods_vat, $unreadable, @line_vat) = (0, 0, 0, 0);
    for my $line (@$lines) {
        my ($rate, $bad) = $action eq 'ignore' ? () : vat_rate($shop, $line->{tax_code}, $area);
        $unreadable ||= defined $bad;
        my $vat = !defined $rate ? 0 : $action eq 'include' ? vat_within($line->{total}, $rate)
                : $area->{liable} ? percent_of($line->{total}, $rate) : 0;
        push @line_vat, $vat;
        $goods_vat += $vat;
        $subtotal += $line->{total};
        $weight += $line->{weight} // 0;
    }
    my $charge = postage($shop, $area, $weight, $subtotal);
    my $problem = $charge->{problem} // ($unreadable ? $CANNOT_WORK_OUT_VAT : undef);
    return { subtotal => $subtotal, vatmode => $mode, rows => [figure(subtotal => $subtotal)], problem => $problem,
        postage_method => $charge->{method}, line_vat => [map { 0 } @line_vat] } if defined $problem;
    my $net_goods = $action eq 'include' ? $subtotal - $goods_vat : $subtotal;
    my $postage = $charge->{pence};
    my $charged = $mode eq 'added' || $mode eq 'included';
    my $postage_vat = $charged && setting_word($shop->{settings}, 'postvatinc') ne 'yes'
        ? share_of($postage, $goods_vat, $net_goods) : 0;
    my @rows = (figure(subtotal => $subtotal));
    push @rows, figure(vat_taken_off => -$goods_vat) if $mode eq 'removed' && $goods_vat;
    push @rows, figure(postage => $postage, $charge->{method} eq 'none' ? 'Postage (no charge)' : undef);
    push @rows, figure(vat => $goods_vat + $postage_vat) if $mode eq 'added';
    push @rows, figure(postage_vat => $postage_vat) if $mode eq 'included' && $postage_vat;
    my $total = 0;
    $total += $_->[1] for @rows;
    push @rows, figure(total => $total);
    push @rows, figure(vat_included => $goods_vat + $postage_vat) if $mode eq 'included';
    return {
        subtotal => $subtotal, postage => $postage, total => $total, vatmode => $mode, rows => \@rows,
        vat => $charged ? $goods_vat + $postage_vat : 0,
        line_vat => $charged ? \@line_vat : [map { 0 } @line_vat],
        postage_method => $charge->{method},
    };
}

1;
