#!/usr/bin/python3
# Drops files on the X window under a screen point the way a Linux file
# manager does (the XDND protocol), so that Wine hands the Windows program
# under it a real WM_DROPFILES. usage: xdnd_drop.py X Y FILE...
# Exits 0 when the target took the drop, 1 otherwise; every wait is bounded.
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display, protocol

def main():
    x, y = int(sys.argv[1]), int(sys.argv[2])
    files = sys.argv[3:]
    d = display.Display()
    root = d.screen().root
    atom = lambda name: d.intern_atom(name)
    aware, selection, uri_list = atom('XdndAware'), atom('XdndSelection'), atom('text/uri-list')
    copy = atom('XdndActionCopy')

    # The deepest window under the point that takes drops.
    target = None
    # Walk down by geometry: the last mapped child containing the point.
    def under(win, px, py):
        found = None
        for child in win.query_tree().children:
            try:
                attrs = child.get_attributes()
                geo = child.get_geometry()
            except Exception:
                continue
            if attrs.map_state != X.IsViewable:
                continue
            if geo.x <= px < geo.x + geo.width and geo.y <= py < geo.y + geo.height:
                found = (child, px - geo.x, py - geo.y)
        return found
    win, px, py = root, x, y
    while True:
        if win != root and win.get_full_property(aware, Xatom.ATOM) is not None:
            target = win
        step = under(win, px, py)
        if not step:
            break
        win, px, py = step
    if target is None:
        print('no window that takes drops under the point', file=sys.stderr)
        return 1

    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOutput)
    source.set_selection_owner(selection, X.CurrentTime)
    data = ''.join('file://' + urllib.parse.quote(f) + '\r\n' for f in files).encode()

    def send(kind, values):
        event = protocol.event.ClientMessage(window=target, client_type=atom(kind),
                                             data=(32, (values + [0] * 5)[:5]))
        target.send_event(event, event_mask=0)
        d.flush()

    send('XdndEnter', [source.id, 5 << 24, uri_list, 0, 0])
    send('XdndPosition', [source.id, 0, (x << 16) | y, X.CurrentTime, copy])
    status = finished = False
    dropped = False
    deadline = time.time() + 10
    while time.time() < deadline and not finished:
        while d.pending_events():
            e = d.next_event()
            if e.type == X.ClientMessage and e.client_type == atom('XdndStatus'):
                status = bool(e.data[1][1] & 1)
                if status and not dropped:
                    send('XdndDrop', [source.id, 0, X.CurrentTime])
                    dropped = True
                elif not status:
                    send('XdndLeave', [source.id])
                    print('the window refused the drop', file=sys.stderr)
                    return 1
            elif e.type == X.ClientMessage and e.client_type == atom('XdndFinished'):
                finished = True
            elif e.type == X.SelectionRequest:
                e.requestor.change_property(e.property, e.target, 8, data)
                notify = protocol.event.SelectionNotify(time=e.time, requestor=e.requestor,
                                                        selection=e.selection, target=e.target,
                                                        property=e.property)
                e.requestor.send_event(notify)
                d.flush()
        time.sleep(0.02)
    return 0 if dropped else 1

sys.exit(main())
