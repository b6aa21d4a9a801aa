# Thin wrapper: installs what is missing, then CMake does the work.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run test build clean bench

run:
	sh scripts/pakete.sh run
	cmake -S . -B $(BUILD) -DBUILD_TESTING=OFF
	cmake --build $(BUILD) -j $(JOBS) --target zivor
	sh scripts/starten.sh $(BUILD)/zivor

test:
	sh scripts/pakete.sh
	cmake -S . -B $(BUILD) -DBUILD_TESTING=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

build:
	sh scripts/pakete.sh
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD)

# One drag step, one slider step and the first frame, measured offscreen.
bench:
	sh scripts/pakete.sh
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS) --target zivor_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/zivor_bench -minimumtotal 2000
