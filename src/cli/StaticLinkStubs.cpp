// Linked only into the static program. Debian's static libdbus, which libpcap's D-Bus capture
// source pulls in, asks systemd whether it was started by socket activation; there is no static
// systemd library, and this program never opens a D-Bus connection, so the answer is always no.

extern "C" int sd_listen_fds(int)
{
    return 0;
}

extern "C" int sd_is_socket(int, int, int, int)
{
    return 0;
}
