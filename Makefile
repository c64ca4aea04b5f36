# The two set-up commands: `make demo` and `make test` (see README.md).
.PHONY: demo test

demo:
	./tools/setup
	./tools/demo

test:
	./tools/setup
	./tools/test
