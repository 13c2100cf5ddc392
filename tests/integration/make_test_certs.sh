#!/usr/bin/env bash
# Makes a throwaway certificate authority and the server certificates the TLS
# fixture presents, valid for two days, in DIR (made fresh for every run, never
# kept in the source tree):
#   ca.pem                the test authority; only a test ever trusts it
#   www.pem, www.key      www.cqww.com, signed by the test authority
#   expired.pem, .key     expired.cqww.com, signed by the test authority, expired
#   untrusted.pem, .key   untrusted.cqww.com, signed by itself
# usage: make_test_certs.sh DIR
set -euo pipefail
cd "$1"

key() {
    openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1.key" 2>/dev/null
}

# name host days: a server certificate for host signed by the test authority;
# negative days give one that ran out before it began, that is, expired.
signed() {
    key "$1"
    openssl req -new -key "$1.key" -subj "/CN=$2" -out "$1.csr"
    printf 'subjectAltName=DNS:%s\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' "$2" >"$1.ext"
    openssl x509 -req -in "$1.csr" -CA ca.pem -CAkey ca.key -CAcreateserial -days "$3" \
        -extfile "$1.ext" -out "$1.pem" 2>/dev/null
}

key ca
openssl req -x509 -new -key ca.key -days 2 -subj "/CN=KEYLARK test authority" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" -out ca.pem
signed www www.cqww.com 2
signed expired expired.cqww.com -1
key untrusted
openssl req -x509 -new -key untrusted.key -days 2 -subj "/CN=untrusted.cqww.com" \
    -addext "subjectAltName=DNS:untrusted.cqww.com" -out untrusted.pem
