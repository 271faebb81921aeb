; PIC18F46J50 test program for a programmer that enters by the key sequence (assembled
; by gpasm -a inhx32). No CONFIG lines: the configuration words keep the image's values,
; written with the top block of flash, whose code bytes below them come from here.
        list    p=18f46j50
        #include <p18f46j50.inc>

        org     0x000000
start:  clrf    TRISD
        movlw   0x5A
        movwf   LATD
        bra     start

        org     0x8000              ; a block in the middle of flash
        db      0xA5, 0x5A, 0x3C, 0xC3

        org     0xFFF0              ; the top block, below the configuration words
        db      0x11, 0x22, 0x33, 0x44
        end
