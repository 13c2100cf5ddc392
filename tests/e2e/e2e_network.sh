#!/usr/bin/env bash
# The real window reading the call-sign list from servers that fail: a body cut
# off mid-way, one byte a second, a body far larger than any index page, an
# endless redirect loop, answers that are not HTTP, and the window closed while
# the page is on its way. Every read must end with the list's size in the status
# bar (the maintenance notice when it is empty) and leave the window responsive.
# Also the newest year, selected at start, and a year redirected to https.
# usage: e2e_network.sh E2E_DRIVER
source "$(dirname "$0")/e2e_common.sh"
e2e_init "$1" openssl
page=$source_dir/tests/data/callsign/index_fixture.html

# No sound is needed: the window warns once and works silently.
mkdir -p "$work/nosound"
chmod 700 "$work/nosound"
echo "autospawn = no" >"$work/nosound/client.conf"
export XDG_RUNTIME_DIR=$work/nosound PULSE_SERVER=unix:$work/nosound/native
export PULSE_CLIENTCONFIG=$work/nosound/client.conf no_proxy=
# https goes through http_proxy too, unless these name another proxy.
unset https_proxy HTTPS_PROXY all_proxy ALL_PROXY

# The page is 53 KB with 320 anchors; 1000 copies pass the 32 MB body limit.
fixture_start index "$source_dir/tests/integration/callsign_fixture_server.py" \
    --page "$page" --cut 12000 --stall 10 --repeat 1000 --lifetime 100
fixture_start faults "$e2e_dir/fault_http_server.py" --page "$page" --lifetime 100
via_index=http://127.0.0.1:$port_index
via_faults=http://127.0.0.1:$port_faults

# The newest year is selected at start; a year after 2017 reads like any other.
http_proxy=$via_index run newest download --min-list 320 --max-list 320
check '[[ "$(value newest result)" == PASS ]]' "the newest year, selected at start, reads its list"
newest=$(( $(date +%Y) - 1 ))
check "grep -q 'REQUEST http://www.cqww.com/publiclogs/${newest}cw/' '$work/fixture-index.log'" \
    "the newest year ($newest) was read through the proxy"
http_proxy=$via_index run newer download --year 2018 --min-list 320 --max-list 320
check '[[ "$(value newer result)" == PASS ]]' "2018, the first year after the ones first offered"

# http redirected to https through the proxy (CONNECT), with a certificate of
# a test authority made for this run and trusted by this run only.
mkdir "$work/certs"
"$source_dir/tests/integration/make_test_certs.sh" "$work/certs"
fixture_start secure "$source_dir/tests/integration/callsign_fixture_server.py" --page "$page" --lifetime 100 \
    --tls "www.cqww.com=$work/certs/www.pem,$work/certs/www.key" \
    --tls "untrusted.cqww.com=$work/certs/untrusted.pem,$work/certs/untrusted.key"
http_proxy=http://127.0.0.1:$port_secure run secure download --year 2024 --ca "$work/certs/ca.pem" \
    --min-list 320 --max-list 320
check '[[ "$(value secure result)" == PASS ]]' "2024, redirected to https, reads its list"
check "grep -q 'CONNECT www.cqww.com:443' '$work/fixture-secure.log' \
       && grep -q 'REQUEST https://www.cqww.com/publiclogs/2024cw/' '$work/fixture-secure.log'" \
    "the https read went through the proxy's tunnel"
# 2010 is redirected to a server whose certificate is signed by itself.
http_proxy=http://127.0.0.1:$port_secure run refused download --year 2010 --ca "$work/certs/ca.pem" --max-list 0
check '[[ "$(value refused result)" == PASS && "$(value refused notices)" == *"サーバー untrusted.cqww.com の証明書を確認できないため接続を中止しました：証明書の発行元が信頼されていません"* ]]' \
    "a certificate signed by itself is refused, and the notice says which server and why"

# A failed read gives no list, not even the part that arrived.
http_proxy=$via_index run cut download --year 2015 --max-list 0
check '[[ "$(value cut result)" == PASS ]]' "a body cut off mid-way is a failed read"

http_proxy=$via_index run big download --year 2012 --max-list 0
check '[[ "$(value big result)" == PASS ]]' "a body past the size limit is a failed read"

http_proxy=$via_faults run trickle download --year 2017 --idle-ms 2000 --transfer-ms 5000
check '[[ "$(value trickle result)" == PASS ]]' "a server sending one byte a second is given up"

http_proxy=$via_faults run loop download --year 2015 --max-list 0
check '[[ "$(value loop result)" == PASS ]]' "an endless redirect loop ends with an empty list"

http_proxy=$via_faults run garbage download --year 2016 --max-list 0
check '[[ "$(value garbage result)" == PASS ]]' "random bytes instead of HTTP end with an empty list"

http_proxy=$via_faults run badheaders download --year 2014
check '[[ "$(value badheaders result)" == PASS ]]' "nonsense headers end with a sane status"

http_proxy=$via_index run closing download --year 2014 --close-after-ms 700
check '[[ "$(value closing result)" == PASS ]]' "closing the window during a download"

e2e_finish
