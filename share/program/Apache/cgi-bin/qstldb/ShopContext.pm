package ShopContext;
# The shop as one request sees it: its settings, its data folder and the
# customer's basket, read once per request, and the headers (cookies) its
# answer carries.
use strict;
use warnings;
use Exporter qw(import);
use ShopBasket qw(valid_basket_id read_basket);
use ShopCatalogue qw(read_per_type_fields read_options read_vat_rates);
use ShopConfig qw(read_settings data_folder);

our @EXPORT_OK = qw(open_shop per_type_fields options vat_rates basket_lines);

sub open_shop {
    my ($script_folder, $request) = @_;
    my $settings   = read_settings($script_folder);
    my $data       = data_folder($settings, $script_folder);
    return {
        folder     => $script_folder,
        settings   => $settings,
        data       => $data,
        basket_id  => valid_basket_id($request->{cookies}{basket}),
        request    => $request,
        headers    => [],
    };
}

sub per_type_fields { return $_[0]{per_type} //= read_per_type_fields($_[0]{data}) }
sub options         { return $_[0]{options}  //= read_options($_[0]{data}) }
sub vat_rates       { return $_[0]{vat}      //= read_vat_rates($_[0]{data}) }

sub basket_lines {
    my ($shop) = @_;
    return $shop->{basket} //= read_basket($shop->{data}, $shop->{basket_id});
}

1;
