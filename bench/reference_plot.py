#!/usr/bin/python3
# Reference for scripts/bench-live: the small script an engineer would write
# to watch the controller, with pyqtgraph and pyserial. It asks the
# controller to identify itself, then plots the last 101 SP and PV readings
# of the live records ("C" lines) as they arrive.
#
#   reference_plot.py DEVICE
import collections
import sys

import pyqtgraph as pg
import serial
from pyqtgraph.Qt import QtCore

port = serial.Serial(sys.argv[1], 9600, timeout=0)
port.write(b"?\r")

sp = collections.deque([0.0] * 101, maxlen=101)
pv = collections.deque([0.0] * 101, maxlen=101)

app = pg.mkQApp("SP / PV")
plot = pg.PlotWidget(title="SP / PV")
plot.setYRange(0, 100)
plot.showGrid(x=True, y=True)
sp_curve = plot.plot(pen="y")
pv_curve = plot.plot(pen="g")

pending = b""


def poll():
    global pending
    pending += port.read(port.in_waiting or 1)
    *lines, pending = pending.split(b"\r")
    fresh = False
    for line in lines:
        if line.startswith(b"C") and len(line) >= 21:
            sp.append(int(line[1:6]) / 10)
            pv.append(int(line[7:12]) / 10)
            fresh = True
    if fresh:
        sp_curve.setData(list(sp))
        pv_curve.setData(list(pv))


timer = QtCore.QTimer()
timer.timeout.connect(poll)
timer.start(10)

plot.resize(1010, 640)
plot.move(0, 0)
plot.show()
app.exec()
