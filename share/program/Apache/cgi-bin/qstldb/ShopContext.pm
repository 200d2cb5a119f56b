package ShopContext;
# The shop as one request sees it: its settings, its data folder and the
# customer's basket, read once per request, and the headers (cookies) its
# answer carries.
use strict;
use warnings;
use Exporter qw(import);
use ShopBasket qw(new_basket_id issued_basket_id basket_form_token read_basket);
use ShopCatalogue qw(read_per_type_fields read_options read_vat_rates);
use ShopConfig qw(read_settings data_folder);
use ShopRandom qw(same_token);
use ShopRequest qw(cookie_header);

our @EXPORT_OK = qw(open_shop per_type_fields options vat_rates basket_lines basket_token genuine_form renew_basket_id);

sub open_shop {
    my ($script_folder, $request) = @_;
    my $settings   = read_settings($script_folder);
    my $data       = data_folder($settings, $script_folder);
    return {
        folder     => $script_folder,
        settings   => $settings,
        data       => $data,
        basket_id  => issued_basket_id($data, $request->{cookies}{basket}),
        request    => $request,
        headers    => [],
    };
}

sub per_type_fields { return $_[0]{per_type} //= read_per_type_fields($_[0]{data}) }
sub options         { return $_[0]{options}  //= read_options($_[0]{data}) }
sub vat_rates       { return $_[0]{vat}      //= read_vat_rates($_[0]{data}) }

# A new identifier for the customer's basket, given to the browser with the
# answer.
sub renew_basket_id {
    my ($shop) = @_;
    delete $shop->{basket};
    $shop->{basket_id} = new_basket_id($shop->{data});
    @{ $shop->{headers} } = grep { !/\ASet-Cookie: basket=/ } @{ $shop->{headers} };
    push @{ $shop->{headers} }, cookie_header('basket', $shop->{basket_id}, $ShopBasket::KEEP_SECONDS);
    return $shop->{basket_id};
}

# The token the page's forms carry; a customer without a basket is given its
# identifier now, so that the first form sent already has one to match.
sub basket_token {
    my ($shop) = @_;
    renew_basket_id($shop) unless defined $shop->{basket_id};
    return basket_form_token($shop->{data}, $shop->{basket_id});
}

# Whether the form sent comes from one of the shop's own pages for this
# basket: another site, even one on the same host, cannot make its token.
sub genuine_form {
    my ($shop) = @_;
    return 0 unless defined $shop->{basket_id};
    return same_token($shop->{request}{form}{token}, basket_form_token($shop->{data}, $shop->{basket_id}));
}

sub basket_lines {
    my ($shop) = @_;
    return $shop->{basket} //= read_basket($shop->{data}, $shop->{basket_id});
}

1;
