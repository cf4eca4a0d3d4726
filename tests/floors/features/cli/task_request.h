// The command line's requests.
