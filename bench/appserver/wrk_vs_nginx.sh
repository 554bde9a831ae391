#!/usr/bin/env bash
# Requests per second of varsel-appserver answering stock searches, beside nginx serving the
# very same answer as a static file: both on one core (CPU 0), wrk on another (CPU 1), with
# 8 and 64 connections, one after the other in one run.
#
#   bench/appserver/wrk_vs_nginx.sh [BUILD_DIR] [SECONDS]
#
# BUILD_DIR is an optimised build (default build-release) with varsel-appserver and
# bench_search built; bench_search makes the cached 200,000-part database if it is missing.
# nginx is installed here when it is missing (Debian package), not by scripts/bootstrap.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-release}
seconds=${2:-10}
server=$build/appserver/varsel-appserver
db=/tmp/varsel-bench/parts-200000.sqlite
work=$(mktemp -d /tmp/varsel-wrk.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

command -v wrk >/dev/null || { echo "wrk is missing (scripts/bootstrap installs it)" >&2; exit 1; }
if ! command -v nginx >/dev/null; then
    apt-get install -y --no-install-recommends nginx-light >/dev/null 2>&1 || apt-get install -y nginx >/dev/null
fi
[ -x "$server" ] || { echo "no $server: build it first (ninja -C $build varsel-appserver)" >&2; exit 1; }
if [ ! -f "$db" ]; then
    "$build/bench/appserver/bench_search" --benchmark_filter=none >/dev/null
fi

# The server: one worker thread on CPU 0.
"$server" register-computer WRK-PC --user BAYI --db "sqlite:$db" >/dev/null 2>&1
taskset -c 0 "$server" --db "sqlite:$db" --bind 127.0.0.1 --port 0 --web-port 0 --threads 1 \
    >"$work/server.out" 2>"$work/server.err" &
pids+=($!)
for _ in $(seq 100); do grep -q listening "$work/server.out" && break; sleep 0.1; done
port=$(sed -n 's/^listening on [^ ]*:\([0-9]*\) web.*/\1/p' "$work/server.out")
[ -n "$port" ] || { cat "$work/server.err" >&2; exit 1; }
base="http://127.0.0.1:$port/datasnap/rest/TServerMethods1"
# The session record, and the session id the server gives with it: a client sends the id back
# with every call (Pragma: dssession=...), so wrk does too.
record=$(curl -s -D "$work/headers.txt" -X POST "$base/%22BuyukGetir%22/" -d '{"_parameters":["WRK-PC"]}' \
    | python3 -c 'import json,sys; print(json.dumps(json.load(sys.stdin)["result"][0], ensure_ascii=False))')
pragma=$(sed -n 's/^[Pp]ragma: *\(.*\)\r$/\1/p' "$work/headers.txt")
[ -n "$pragma" ] || { echo "the server gave no session id" >&2; exit 1; }

# nginx: one worker on CPU 0, the answers as static files. Its worker drops root, so the
# folder must be readable by others (mktemp makes it private): otherwise every request gets a
# 403 of a few hundred bytes and nginx looks many times faster than it is.
mkdir -p "$work/www" "$work/nginx"
chmod 755 "$work" "$work/www"
cat >"$work/nginx/nginx.conf" <<CONF
worker_processes 1;
worker_cpu_affinity 01;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
daemon off;
events { worker_connections 1024; }
http {
    access_log off;
    sendfile on;
    tcp_nodelay on;
    keepalive_requests 1000000;
    client_body_temp_path $work/nginx; proxy_temp_path $work/nginx; fastcgi_temp_path $work/nginx;
    uwsgi_temp_path $work/nginx; scgi_temp_path $work/nginx;
    server { listen 127.0.0.1:0; root $work/www; }
}
CONF
nginxPort=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
sed -i "s/listen 127.0.0.1:0;/listen 127.0.0.1:$nginxPort;/" "$work/nginx/nginx.conf"
taskset -c 0 nginx -c "$work/nginx/nginx.conf" -p "$work/nginx" &
pids+=($!)
sleep 0.5

rps() { sed -n 's/^Requests\/sec: *\([0-9.]*\).*/\1/p'; }
printf '%-44s %6s %12s %12s %8s\n' "request" "conns" "server rps" "nginx rps" "ratio"
# A part's whole code (one row) and a vehicle model (a few hundred rows).
code=$(python3 -c "import sqlite3; print(sqlite3.connect('$db').execute('SELECT barkod FROM stoklar WHERE stokno = 1000').fetchone()[0])")
for term in "$code" "DOBLO II 1.3"; do
    body="{\"_parameters\":[\"$term\",$record]}"
    printf '%s' "$body" >"$work/body.json"
    curl -s -X POST "$base/%22StokAraGetirZerva%22/" --data-binary @"$work/body.json" >"$work/www/answer-term.json"
    bytes=$(stat -c %s "$work/www/answer-term.json")
    cat >"$work/post.lua" <<LUA
wrk.method = "POST"
wrk.headers["Content-Type"] = "text/plain;charset=UTF-8"
wrk.headers["Pragma"] = "$pragma"
local f = io.open("$work/body.json", "rb")
wrk.body = f:read("*a")
f:close()
LUA
    mv "$work/www/answer-term.json" "$work/www/answer.json"
    chmod 644 "$work/www/answer.json"
    served=$(curl -s -o /dev/null -w '%{http_code} %{size_download}' "http://127.0.0.1:$nginxPort/answer.json")
    [ "$served" = "200 $bytes" ] || { echo "nginx does not serve the answer ($served, expected 200 $bytes)" >&2; exit 1; }
    for conns in 8 64; do
        s=$(taskset -c 1 wrk -t1 -c"$conns" -d"${seconds}s" -s "$work/post.lua" "$base/%22StokAraGetirZerva%22/" | rps)
        n=$(taskset -c 1 wrk -t1 -c"$conns" -d"${seconds}s" "http://127.0.0.1:$nginxPort/answer.json" | rps)
        ratio=$(python3 -c "print(f'{$s / $n * 100:.0f}%')")
        printf '%-44s %6s %12s %12s %8s\n' "StokAraGetirZerva \"$term\" ($bytes bytes)" "$conns" "$s" "$n" "$ratio"
    done
done
