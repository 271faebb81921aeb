; PIC18F452 test program (assembled by gpasm -a inhx32). It blinks PORTB with a
; software delay and has both interrupt vectors, a table in flash, ID locations,
; configuration words and EEPROM data, so its HEX file is sparse.
        list    p=18f452
        #include <p18f452.inc>
        errorlevel -220             ; IDs and EEPROM lie outside the code range on purpose

        CONFIG  OSC = HS, PWRT = ON, BOR = OFF, WDT = OFF, LVP = OFF, DEBUG = OFF

        cblock  0x000
          d1, d2, idx
        endc

        org     0x000000
        goto    main

        org     0x000008            ; high-priority interrupt vector
        retfie  FAST

        org     0x000018            ; low-priority interrupt vector
        retfie

        org     0x000100
main:   clrf    TRISB
        clrf    LATB
        clrf    idx
loop:   movf    idx, W
        call    lookup
        movwf   LATB
        incf    idx, F
        movlw   0x07
        andwf   idx, F
        call    delay
        bra     loop

lookup: ; W = table[W] via TBLRD
        movwf   TBLPTRL
        movlw   upper(table)
        movwf   TBLPTRU
        movlw   high(table)
        movwf   TBLPTRH
        movlw   low(table)
        addwf   TBLPTRL, F
        clrf    WREG
        addwfc  TBLPTRH, F
        tblrd*
        movf    TABLAT, W
        return

delay:  setf    d1
dl1:    setf    d2
dl2:    decfsz  d2, F
        bra     dl2
        decfsz  d1, F
        bra     dl1
        return

        org     0x001000
table:  db      0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80

        org     0x200000            ; ID locations
        db      0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08

        org     0xF00000            ; data EEPROM
        de      "PIC18 test", 0
        end
